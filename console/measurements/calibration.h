// The calibration shared by the CPU, memory and disk tests: the count grows
// tenfold before each timed run until one run lasts at least 1000 ms, with a
// "#" on the console per run.
#pragma once

#include <iostream>

#include "console/console_output.h"
#include "console/measurements/timed_run.h"
#include "console/word_arithmetic.h"

// How a calibration, a block size, a CPU phase or a whole test ended.
enum MeasureEnd {
    kMeasureGoesOn,   // measured: the test goes on
    kMeasureTooFast,  // a count or result would leave the build's word (or wrapped to 0)
    kMeasureFailed    // a run reported a status the caller counts as failure
};

template <typename Count, typename Ms>
struct Calibration {
    MeasureEnd end;
    Count count;        // count of the last run
    Ms elapsedMs;       // its time
    WorkStatus status;  // its status
};

// Count and Ms are the caller's own types (they differ per test and build): a
// signed count stops before it would overflow, an unsigned one wraps as the
// x86 builds do until it becomes 0. failed decides which statuses end it.
template <typename Count, typename Ms>
Calibration<Count, Ms> calibrate(ThreadCount threadCount, WorkloadFn workload, WorkArg arg,
                                 const char* path, bool (*failed)(WorkStatus)) {
    Calibration<Count, Ms> result = {kMeasureGoesOn, 1, 0, kStatusOk};
    while (result.elapsedMs < 1000) {
        if (!nextTenfoldCount(&result.count)) {
            result.end = kMeasureTooFast;
            return result;
        }
        const TimerMs elapsed = timeTestRun(threadCount, workload,
                                            static_cast<WorkCount>(result.count), arg, path,
                                            &result.status);
        result.elapsedMs = clampToWord<Ms>(elapsed);
        std::cout << "#";
        flushConsole();
        if (failed(result.status)) {
            result.end = kMeasureFailed;
            return result;
        }
    }
    return result;
}

// The last run's count per ms, as a fraction.
template <typename Count, typename Ms>
double countPerMs(const Calibration<Count, Ms>& calibration) {
    return static_cast<double>(calibration.count) / static_cast<double>(calibration.elapsedMs);
}
