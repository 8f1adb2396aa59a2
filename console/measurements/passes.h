// The timed passes shared by the CPU phases and the memory test's best block:
// cycleCount runs of one workload, each announced on the console, their times
// combined by a running halving.
#pragma once

#include <string>

#include "console/measurements/calibration.h"
#include "core/machine_types.h"
#include "core/workload.h"

struct Passes {
    MeasureEnd end;
    double combinedMs;  // 0, plus each pass's time, halved from the second pass on
    WorkStatus status;  // of the last run
};

// Before each pass writes progress, the pass number, "/" and cycleCount to the
// console and flushes it. Ends with kMeasureFailed at the first run whose
// status failed() counts as failure, and with kMeasureTooFast when the
// combined time is not above 0 (every pass took 0 ms, or no pass ran).
Passes timePasses(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                  const std::string& progress, bool (*failed)(WorkStatus));
