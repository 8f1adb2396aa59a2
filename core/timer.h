// Times one run of a workload with the platform's performance counter.
#pragma once

#include "core/workload.h"

// Elapsed time of one call workload(count, arg, path) on the calling thread,
// in whole milliseconds. When status is not null, the workload's own status
// is stored there; the elapsed time never depends on it.
TimerMs timeWorkload(WorkloadFn workload, WorkCount count, WorkArg arg, const char* path,
                     WorkStatus* status = nullptr);

// The millisecond arithmetic of timeWorkload on its own: ticks * 1000000 / f,
// then / 1000, both truncated toward zero. Exact for frequencies and whole
// seconds below about 4.6 * 10^15; beyond them it saturates to +-(2^62 - 1) ms
// with the sign of ticks. A frequency of 0 or less gives 0.
std::int64_t ticksToMilliseconds(std::int64_t ticks, std::int64_t frequency);
