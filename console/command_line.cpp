// The command line's numbers, converted as the C runtime reads them.
#include "console/command_line.h"

#include <cstdlib>

#include "console/word_arithmetic.h"

std::int32_t parseArgumentNumber(const char* text) {
    // long has 64 bits on some targets: clamp to the 32 bits the argument holds.
    // Out-of-range texts give LONG_MAX / LONG_MIN, which clamp to the ends too.
    return clampToWord<std::int32_t>(std::strtol(text, nullptr, 10));
}

ThreadCount threadCountFromArgument(const char* text) {
    // Unsigned conversion is modular: -1 becomes 4294967295.
    return static_cast<ThreadCount>(parseArgumentNumber(text));
}
