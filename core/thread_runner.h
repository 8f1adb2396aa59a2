// Runs one workload on N worker threads at once and combines their times.
#pragma once

#include <cstdint>

#include "core/workload.h"

// One worker's job, a record of its own: the runner fills in the first four
// fields before the worker starts, the worker writes elapsedMs and status.
struct WorkloadJob {
    WorkloadFn workload;
    WorkCount count;
    WorkArg arg;
    const char* path;
    TimerMs elapsedMs;
    WorkStatus status;
};

// One wait covers at most this many workers; larger counts are refused.
constexpr ThreadCount kMaxWorkerThreads = 64;

// Combined time (running halving in integer arithmetic, creation order) of
// threadCount concurrent runs of workload(count, arg, path), each with the full
// count. When status is not null it receives kStatusOk, the first non-zero
// workload status in creation order, or a runner failure (see workload.h).
TimerMs runOnThreads(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                     const char* path, WorkStatus* status = nullptr);

// Thread start routine: times the job's workload and stores the result.
std::uint32_t threadEntry(void* job);
