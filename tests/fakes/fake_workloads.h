// Stand-in for the workloads (link it instead of the workloads library): each
// of the seven records its call and returns at once with a scripted status, so
// the elapsed times come from the fake counter alone.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/workload.h"

enum FakeWorkload {
    kFakeCalibration,
    kFakeInteger,
    kFakeFloat,
    kFakeBitShift,
    kFakeMath,
    kFakeMemcopy,
    kFakeDiskWrite
};

struct FakeWorkloadCall {
    FakeWorkload workload;
    WorkCount count;
    WorkArg arg;
    bool hasPath;
    std::string path;
    bool consolePending;  // what the console watch answered during the call
};

// Calls forgotten, every workload answering kStatusOk again, no console watch.
void fakeWorkloadsReset();
// Statuses of the next calls of one workload, in order; then its default.
void fakeWorkloadsScript(FakeWorkload workload, const std::vector<WorkStatus>& statuses);
// What the workload answers once its script is used up.
void fakeWorkloadsDefault(FakeWorkload workload, WorkStatus status);
// Asked during every call whether console output is still waiting to be shown.
void fakeWorkloadsWatchConsole(std::function<bool()> outputPending);
const std::vector<FakeWorkloadCall>& fakeWorkloadCalls();
// The counts of one workload's calls, in order.
std::vector<WorkCount> fakeWorkloadCounts(FakeWorkload workload);
