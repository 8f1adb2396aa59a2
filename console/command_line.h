// Reading the command line's numbers.
#pragma once

#include "core/machine_types.h"

// strtol in base 10 into a signed 32-bit value, clamped to its range whatever
// the width of long, nothing validated.
std::int32_t parseArgumentNumber(const char* text);

// The same 32 bits read as the thread count (-1 gives 4294967295).
ThreadCount threadCountFromArgument(const char* text);
