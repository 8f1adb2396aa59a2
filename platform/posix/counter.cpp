// The high-resolution counter: the monotonic clock in nanoseconds.
#include <ctime>

#include "platform/core_platform.h"

namespace {
constexpr std::int64_t kNanosPerSecond = 1000000000;
}

bool platformCounterFrequency(std::int64_t* ticksPerSecond) {
    *ticksPerSecond = kNanosPerSecond;
    return true;
}

bool platformCounterValue(std::int64_t* ticks) {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
        *ticks = 0;
        return false;
    }
    // Seconds since boot times 10^9 stay far below 2^63 (292 years).
    *ticks = static_cast<std::int64_t>(now.tv_sec) * kNanosPerSecond +
             static_cast<std::int64_t>(now.tv_nsec);
    return true;
}
