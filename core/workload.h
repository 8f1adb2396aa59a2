// The shape every workload has, and the statuses it and the runner report.
#pragma once

#include "core/machine_types.h"

using WorkloadFn = WorkStatus (*)(WorkCount count, WorkArg arg, const char* path);

// Workload statuses.
constexpr WorkStatus kStatusOk = 0;
constexpr WorkStatus kStatusNoMemory = -1;     // a buffer can't be had
constexpr WorkStatus kStatusShiftMismatch = -1; // the bit-shift value did not come back
constexpr WorkStatus kStatusCannotOpen = -2;   // the file can't be opened
constexpr WorkStatus kStatusNoPath = -3;       // no path given
constexpr WorkStatus kStatusWriteFailed = -4;  // a write, seek or commit failed
constexpr WorkStatus kStatusInUse = -5;        // another run holds the file
constexpr WorkStatus kStatusNotRemoved = -6;   // the file could not be removed

// Thread runner statuses: the run as a whole did not happen as asked.
constexpr WorkStatus kStatusTooManyThreads = -10;   // more than kMaxWorkerThreads asked for
constexpr WorkStatus kStatusThreadNotStarted = -11; // a worker could not be started
constexpr WorkStatus kStatusWaitFailed = -12;       // waiting for the workers failed

inline bool isRunnerFailure(WorkStatus status) {
    return status <= kStatusTooManyThreads;
}
