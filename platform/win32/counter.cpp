// The high-resolution counter: the performance counter.
#include <windows.h>

#include "platform/core_platform.h"

bool platformCounterFrequency(std::int64_t* ticksPerSecond) {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) {
        return false;
    }
    *ticksPerSecond = frequency.QuadPart;
    return true;
}

bool platformCounterValue(std::int64_t* ticks) {
    LARGE_INTEGER value;
    if (!QueryPerformanceCounter(&value)) {
        return false;
    }
    *ticks = value.QuadPart;
    return true;
}
