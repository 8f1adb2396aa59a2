// Arithmetic on machine words that must neither overflow nor print a wrapped
// number: the calibrations' tenfold counts, double-to-integer truncations of
// rates and speeds, and the narrowing of timer results and arguments.
#pragma once

#include <cmath>
#include <limits>
#include <type_traits>

// Multiplies *count by 10 in its own type. Unsigned counts wrap as the x86
// builds do; false when the result is 0, which it then stays for ever.
// Signed counts: false when the product would leave the type (nothing changes).
template <typename T>
bool nextTenfoldCount(T* count) {
    static_assert(std::is_integral<T>::value, "integer counts only");
    if constexpr (std::is_unsigned<T>::value) {
        static_assert(sizeof(T) >= sizeof(unsigned), "no promotion to int");
        *count = static_cast<T>(*count * 10u);
        return *count != 0;
    } else {
        if (*count > std::numeric_limits<T>::max() / 10) {
            return false;
        }
        *count = static_cast<T>(*count * 10);
        return true;
    }
}

// Truncates value toward zero into *out. False (and *out untouched) when the
// result would not fit T or value is not a number.
template <typename T>
bool truncateToWord(double value, T* out) {
    static_assert(std::is_integral<T>::value, "integer results only");
    const double limit = std::ldexp(1.0, std::numeric_limits<T>::digits);  // max + 1
    const double lowest = std::is_signed<T>::value ? -limit : -1.0;
    if (!(value < limit)) {
        return false;
    }
    if (std::is_signed<T>::value ? !(value >= lowest) : !(value > lowest)) {
        return false;
    }
    *out = static_cast<T>(value);
    return true;
}

// Converts between integer widths, clamping to the target's range.
template <typename To, typename From>
To clampToWord(From value) {
    static_assert(std::is_integral<To>::value && std::is_integral<From>::value, "integers only");
    using Wide = std::conditional_t<std::is_signed<From>::value, long long, unsigned long long>;
    const Wide wide = static_cast<Wide>(value);
    if constexpr (std::is_signed<From>::value) {
        if (std::is_unsigned<To>::value && wide < 0) {
            return 0;
        }
        if (wide < 0) {
            return wide < static_cast<long long>(std::numeric_limits<To>::min())
                       ? std::numeric_limits<To>::min()
                       : static_cast<To>(value);
        }
    }
    if (static_cast<unsigned long long>(wide) >
        static_cast<unsigned long long>(std::numeric_limits<To>::max())) {
        return std::numeric_limits<To>::max();
    }
    return static_cast<To>(value);
}
