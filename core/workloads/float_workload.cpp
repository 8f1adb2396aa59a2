// Floating-point loop: count subtractions of a step slightly above 1.
#include "core/workloads.h"

// 1.00000000001 rounds to the double with bits 0x3FF000000000AFEC.
const double kFloatStep = 1.00000000001;

double floatCountDown(WorkCount count) {
    double x = static_cast<double>(count);
    // Ordered comparison: ends as soon as x <= 0.0.
    while (x > 0.0) {
        x = x - kFloatStep;
    }
    return x;
}

WorkStatus floatWorkload(WorkCount count, WorkArg, const char*) {
    floatCountDown(count);
    return kStatusOk;
}
