// Fractional numbers in six significant digits, the same on every runtime.
#include "console/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

std::string formatDouble(double value) {
    // Runtimes disagree on these (1.#INF, -nan), so they are spelled out.
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    std::string result(text);

    // Some runtimes write two exponent digits, some three: always at least three.
    const std::string::size_type e = result.find('e');
    if (e == std::string::npos) {
        return result;
    }
    const std::string mantissa = result.substr(0, e);
    std::string::size_type pos = e + 1;
    char sign = '+';
    if (pos < result.size() && (result[pos] == '+' || result[pos] == '-')) {
        sign = result[pos];
        ++pos;
    }
    std::string digits = result.substr(pos);
    while (digits.size() > 3 && digits[0] == '0') {
        digits.erase(0, 1);
    }
    while (digits.size() < 3) {
        digits.insert(0, 1, '0');
    }
    return mantissa + "e" + sign + digits;
}
