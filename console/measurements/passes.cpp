// The running halving over a measurement's timed passes.
#include "console/measurements/passes.h"

#include <iostream>

#include "console/console_output.h"
#include "console/measurements/timed_run.h"
#include "console/settings.h"

Passes timePasses(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                  const std::string& progress, bool (*failed)(WorkStatus)) {
    Passes passes = {kMeasureGoesOn, 0.0, kStatusOk};
    for (PassIndex i = 0; i < cycleCount; ++i) {
        std::cout << progress << i + 1 << "/" << cycleCount;
        flushConsole();
        const TimerMs elapsed =
            timeTestRun(threadCount, workload, count, arg, nullptr, &passes.status);
        if (failed(passes.status)) {
            passes.end = kMeasureFailed;
            return passes;
        }
        // Later passes weigh more: ((t1 + t2) / 2 + t3) / 2 for three.
        passes.combinedMs += static_cast<double>(elapsed);
        if (i > 0) {
            passes.combinedMs /= 2.0;
        }
    }
    if (!(passes.combinedMs > 0.0)) {
        passes.end = kMeasureTooFast;
    }
    return passes;
}
