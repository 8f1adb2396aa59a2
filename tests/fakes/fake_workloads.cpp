// Workloads that do no work: they record the call and answer as scripted.
#include "fakes/fake_workloads.h"

#include <deque>
#include <utility>

#include "core/workloads.h"

namespace {

constexpr int kWorkloads = 7;

struct FakeWorkloads {
    std::vector<FakeWorkloadCall> calls;
    std::deque<WorkStatus> scripts[kWorkloads];
    WorkStatus defaults[kWorkloads] = {};
    std::function<bool()> consolePending;
};

FakeWorkloads fakes;

WorkStatus record(FakeWorkload workload, WorkCount count, WorkArg arg, const char* path) {
    const bool pending = fakes.consolePending && fakes.consolePending();
    fakes.calls.push_back(
        {workload, count, arg, path != nullptr, path != nullptr ? path : "", pending});
    std::deque<WorkStatus>& script = fakes.scripts[workload];
    if (script.empty()) {
        return fakes.defaults[workload];
    }
    const WorkStatus status = script.front();
    script.pop_front();
    return status;
}

}  // namespace

const double kFloatStep = 1.00000000001;

void fakeWorkloadsReset() {
    fakes.calls.clear();
    for (int i = 0; i < kWorkloads; ++i) {
        fakes.scripts[i].clear();
        fakes.defaults[i] = kStatusOk;
    }
    fakes.consolePending = nullptr;
}

void fakeWorkloadsScript(FakeWorkload workload, const std::vector<WorkStatus>& statuses) {
    fakes.scripts[workload].insert(fakes.scripts[workload].end(), statuses.begin(),
                                   statuses.end());
}

void fakeWorkloadsDefault(FakeWorkload workload, WorkStatus status) {
    fakes.defaults[workload] = status;
}

void fakeWorkloadsWatchConsole(std::function<bool()> outputPending) {
    fakes.consolePending = std::move(outputPending);
}

const std::vector<FakeWorkloadCall>& fakeWorkloadCalls() {
    return fakes.calls;
}

std::vector<WorkCount> fakeWorkloadCounts(FakeWorkload workload) {
    std::vector<WorkCount> counts;
    for (const FakeWorkloadCall& call : fakes.calls) {
        if (call.workload == workload) {
            counts.push_back(call.count);
        }
    }
    return counts;
}

// Each workload of core/workloads.h records its call as its FakeWorkload.
#define TEMBRIX_FAKE_WORKLOAD(function, workload)                          \
    WorkStatus function(WorkCount count, WorkArg arg, const char* path) { \
        return record(workload, count, arg, path);                        \
    }
TEMBRIX_FAKE_WORKLOAD(calibrationWorkload, kFakeCalibration)
TEMBRIX_FAKE_WORKLOAD(integerWorkload, kFakeInteger)
TEMBRIX_FAKE_WORKLOAD(floatWorkload, kFakeFloat)
TEMBRIX_FAKE_WORKLOAD(bitShiftWorkload, kFakeBitShift)
TEMBRIX_FAKE_WORKLOAD(mathWorkload, kFakeMath)
TEMBRIX_FAKE_WORKLOAD(memcopyWorkload, kFakeMemcopy)
TEMBRIX_FAKE_WORKLOAD(diskWriteWorkload, kFakeDiskWrite)
