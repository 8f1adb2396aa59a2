// Runs one workload on N worker threads at once and combines their times.
#pragma once

#include <cstdint>

#include "core/workload.h"

// One worker's job. The first five fields are the record the workers share
// nothing through; status is where the worker leaves its workload's status.
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

// One step of the running halving over threads: trunc((running + sample) / 2),
// free of overflow (signed in the x86-64 builds, unsigned in the x86 builds).
TimerMs halveRunning(TimerMs running, TimerMs sample);
