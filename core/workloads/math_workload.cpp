// Math-library loop: five library calls per iteration on a fixed operand.
#include "core/workloads.h"

#include <cmath>

// Results are written every iteration and never read; errors of the functions
// (log of 0, roots of negatives) are part of the work and are not looked at.
WorkStatus mathWorkload(WorkCount count, WorkArg arg, const char*) {
    const double x = static_cast<double>(arg);
    [[maybe_unused]] double s = 0.0;
    [[maybe_unused]] double l = 0.0;
    [[maybe_unused]] double p = 0.0;
    [[maybe_unused]] double e = 0.0;
    [[maybe_unused]] double f = 0.0;
    double integral = 0.0;
    count = count / 5;
    while (count-- > 0) {
        s = std::sqrt(x);
        l = std::log(x);
        p = std::pow(s, 2);
        e = std::exp(l);
        f = std::modf(s, &integral);
    }
    return kStatusOk;
}
