// The ways a test ends early, shared by the three tests. None of them touches
// the priority: the CPU and memory tests restore Normal, the disk test keeps High.
#pragma once

#include "core/machine_types.h"
#include "core/workload.h"

// More worker threads than one wait can cover: the warning, and true.
bool refuseThreadCount(ThreadCount threadCount);

// Console only.
void reportTooFast();

// kStatusWaitFailed, or a worker that could not be started.
void reportRunnerFailure(WorkStatus status, ThreadCount threadCount);

// A block's buffers could not be had (memory and disk tests).
void reportNoMemory(BlockKiB blockKiB);
