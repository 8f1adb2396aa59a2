// One timed run of a workload as the tests make it: on the calling thread for
// a thread count of 0 or 1, on that many worker threads otherwise.
#pragma once

#include "core/machine_types.h"
#include "core/workload.h"

// Elapsed (combined) time in whole ms. *status receives the workload's or the
// runner's status, so that a failed run is not taken for a fast one.
TimerMs timeTestRun(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                    const char* path, WorkStatus* status);
