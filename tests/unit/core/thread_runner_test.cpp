// The thread runner on stand-in threads and counter: how it combines the
// workers' times, what each worker gets, and its failures to start or wait.
#include "core/thread_runner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "fakes/fake_counter.h"
#include "fakes/fake_threads.h"
#include "support/leaks_allowed.h"

namespace {

struct Call {
    WorkCount count;
    WorkArg arg;
    const char* path;
};

std::vector<Call> calls;
// Statuses the recording workload returns, call by call (then 0).
std::vector<WorkStatus> scriptedStatuses;

WorkStatus recordingWorkload(WorkCount count, WorkArg arg, const char* path) {
    const std::size_t index = calls.size();
    calls.push_back({count, arg, path});
    return index < scriptedStatuses.size() ? scriptedStatuses[index] : kStatusOk;
}

struct RunOnThreads : testing::Test {
    void SetUp() override {
        fakeCounterReset(1000000);
        fakeThreadsReset();
        calls.clear();
        scriptedStatuses.clear();
    }
};

// Runs n workers, each timed with the next scripted duration in creation order.
TimerMs runWithTimes(const std::vector<double>& times, WorkStatus* status = nullptr) {
    fakeCounterAppendMs(times);
    return runOnThreads(static_cast<ThreadCount>(times.size()), recordingWorkload, 1000, 0,
                        nullptr, status);
}

TEST_F(RunOnThreads, CombinesByRunningHalvingInCreationOrder) {
    EXPECT_EQ(runWithTimes({1000, 1001}), TimerMs{1000});
    // Running values 1000, 1000, 1001, 1005; the mean would be 1003.5.
    EXPECT_EQ(runWithTimes({1000, 1001, 1003, 1010}), TimerMs{1005});
    // Running values 1010, 1006, 1003, 1001.
    EXPECT_EQ(runWithTimes({1010, 1003, 1001, 1000}), TimerMs{1001});
    // Three workers weigh the last one half.
    EXPECT_EQ(runWithTimes({0, 0, 1000}), TimerMs{500});
    EXPECT_EQ(fakeCounterOverruns(), 0);
}

TEST_F(RunOnThreads, HalvesTimesAtTheTimersBoundsWithoutOverflow) {
    // One tick per millisecond; kInt64Max ticks lie beyond every bound.
    constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
    fakeCounterReset(1000);
    const auto runTicks = [](const std::vector<std::int64_t>& ticks) {
        fakeCounterAppendTicks(ticks);
        return runOnThreads(static_cast<ThreadCount>(ticks.size()), recordingWorkload, 1, 0,
                            nullptr);
    };
#if TEMBRIX_WORD_BITS == 32
    EXPECT_EQ(runTicks({kInt64Max, kInt64Max}), TimerMs{4294967295u});
    EXPECT_EQ(runTicks({kInt64Max, 1}), TimerMs{2147483648u});  // a wrapping add gives 0
    EXPECT_EQ(runTicks({-5, -5}), TimerMs{0});
#else
    constexpr TimerMs longest = 4611686018427387903;  // 2^62 - 1
    EXPECT_EQ(runTicks({kInt64Max, kInt64Max}), longest);
    EXPECT_EQ(runTicks({-kInt64Max, -kInt64Max}), -longest);
    EXPECT_EQ(runTicks({kInt64Max, -kInt64Max}), TimerMs{0});
    EXPECT_EQ(runTicks({-1001, -1000}), TimerMs{-1000});  // toward zero
    EXPECT_EQ(runTicks({-3, 2}), TimerMs{0});
#endif
}

TEST_F(RunOnThreads, OneWorkerUnhalvedAndNoWorkerAtAll) {
    WorkStatus status = kStatusNoMemory;
    EXPECT_EQ(runWithTimes({1235}, &status), TimerMs{1235});
    EXPECT_EQ(status, kStatusOk);

    fakeThreadsReset();
    status = kStatusNoMemory;
    EXPECT_EQ(runOnThreads(0, recordingWorkload, 1000, 0, nullptr, &status), TimerMs{0});
    EXPECT_EQ(status, kStatusOk);
    EXPECT_EQ(fakeThreadsStarted(), 0);
    EXPECT_EQ(fakeThreadsWaits(), 0);
}

TEST_F(RunOnThreads, EveryWorkerGetsTheFullCountArgAndPath) {
    const char* const path = "/tmp/x/test.io";
    fakeCounterAppendMs({1, 2, 3, 4, 5});
    runOnThreads(5, recordingWorkload, 4242, 16, path);
    ASSERT_EQ(calls.size(), 5u);
    for (const Call& call : calls) {
        EXPECT_EQ(call.count, WorkCount{4242});
        EXPECT_EQ(call.arg, WorkArg{16});
        EXPECT_EQ(call.path, path);
    }
    // One wait for all, every handle released, each worker timed itself.
    EXPECT_EQ(fakeThreadsStarted(), 5);
    EXPECT_EQ(fakeThreadsWaits(), 1);
    EXPECT_EQ(fakeThreadsReleased(), 5);
    EXPECT_EQ(fakeCounterFrequencyReads(), 5);
    EXPECT_EQ(fakeCounterValueReads(), 10);
}

TEST_F(RunOnThreads, ReportsTheFirstWorkloadFailureInCreationOrder) {
    WorkStatus status = kStatusOk;
    scriptedStatuses = {kStatusOk, kStatusCannotOpen, kStatusNoMemory};
    // Times are combined whatever the workloads said.
    EXPECT_EQ(runWithTimes({1000, 1002, 1004}, &status), TimerMs{1002});
    EXPECT_EQ(status, kStatusCannotOpen);
}

TEST_F(RunOnThreads, RefusesMoreThan64Workers) {
    for (ThreadCount count : {65u, 4294967295u}) {
        WorkStatus status = kStatusOk;
        EXPECT_EQ(runOnThreads(count, recordingWorkload, 1000, 0, nullptr, &status), TimerMs{0});
        EXPECT_EQ(status, kStatusTooManyThreads);
    }
    EXPECT_EQ(fakeThreadsStarted(), 0);
    EXPECT_EQ(fakeCounterFrequencyReads(), 0);
    EXPECT_TRUE(calls.empty());

    WorkStatus status = kStatusNoMemory;
    EXPECT_EQ(runWithTimes(std::vector<double>(kMaxWorkerThreads, 1000), &status), TimerMs{1000});
    EXPECT_EQ(status, kStatusOk);
    EXPECT_EQ(fakeThreadsStarted(), 64);
}

TEST_F(RunOnThreads, StartFailureCombinesOnlyTheStartedWorkers) {
    fakeThreadsFailStartAt(2);
    WorkStatus status = kStatusOk;
    EXPECT_EQ(runWithTimes({1000, 1003, 1100, 1200}, &status), TimerMs{1001});
    EXPECT_EQ(status, kStatusThreadNotStarted);
    EXPECT_EQ(calls.size(), 2u);  // no worker after the failed one
    EXPECT_EQ(fakeThreadsWaits(), 1);
    EXPECT_EQ(fakeThreadsReleased(), 2);
    EXPECT_EQ(fakeCounterRemaining(), 2u);

    SetUp();
    fakeThreadsFailStartAt(0);
    status = kStatusOk;
    EXPECT_EQ(runOnThreads(3, recordingWorkload, 1, 0, nullptr, &status), TimerMs{0});
    EXPECT_EQ(status, kStatusThreadNotStarted);
    EXPECT_EQ(fakeThreadsStarted(), 0);
    EXPECT_EQ(fakeThreadsWaits(), 0);
}

TEST_F(RunOnThreads, FailedWaitForAllFallsBackToOneByOne) {
    fakeThreadsFailWaits(1);
    WorkStatus status = kStatusNoMemory;
    EXPECT_EQ(runWithTimes({1000, 1001, 1003}, &status), TimerMs{1001});
    EXPECT_EQ(status, kStatusOk);
    EXPECT_EQ(fakeThreadsWaits(), 4);
    EXPECT_EQ(fakeThreadsReleased(), 3);
}

TEST_F(RunOnThreads, WaitThatKeepsFailingReadsAndReleasesNothing) {
    const LeaksAllowed leaks;
    fakeThreadsFailWaits(1 + 3);
    WorkStatus status = kStatusOk;
    EXPECT_EQ(runWithTimes({1000, 1001, 1003}, &status), TimerMs{0});
    EXPECT_EQ(status, kStatusWaitFailed);
    EXPECT_EQ(fakeThreadsWaits(), 4);
    EXPECT_EQ(fakeThreadsReleased(), 0);
}

}  // namespace
