// Fractional numbers as every line and record writes them.
#pragma once

#include <string>

// The stream library's default notation with 6 significant digits, with an
// exponent of the letter e, a sign and three digits where exponent form is used
// (1.5e+006, 1e-005), the same on every platform.
std::string formatDouble(double value);
