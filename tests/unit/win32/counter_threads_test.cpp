// The Win32 counter, threads and x87 precision, run for real (under Wine).
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "core/thread_runner.h"
#include "platform/core_platform.h"

namespace {

TEST(Win32Counter, FrequencyPositiveAndValuesNeverGoBack) {
    std::int64_t frequency = 0;
    ASSERT_TRUE(platformCounterFrequency(&frequency));
    EXPECT_GT(frequency, 0);

    LARGE_INTEGER direct;
    ASSERT_TRUE(QueryPerformanceFrequency(&direct));
    EXPECT_EQ(frequency, direct.QuadPart);

    std::int64_t previous = 0;
    ASSERT_TRUE(platformCounterValue(&previous));
    for (int i = 0; i < 1000; ++i) {
        std::int64_t now = 0;
        ASSERT_TRUE(platformCounterValue(&now));
        ASSERT_GE(now, previous);
        previous = now;
    }
}

struct Slot {
    std::uint32_t index;
    std::uint32_t seen;
    DWORD threadId;
    int precisionControl;
};

std::uint32_t recordSlot(void* argument) {
    Slot* slot = static_cast<Slot*>(argument);
    slot->seen = slot->index + 1;
    slot->threadId = GetCurrentThreadId();
    slot->precisionControl = platformX87PrecisionControl();
    return 1000 + slot->index;
}

// One worker started, waited for and released; what it saw.
Slot runOneWorker() {
    Slot slot{0, 0, 0, -7};
    PlatformThread thread{};
    std::uint32_t identifier = 0;
    EXPECT_TRUE(platformStartThread(recordSlot, &slot, &thread, &identifier));
    EXPECT_TRUE(platformWaitForThreads(&thread, 1));
    platformReleaseThread(&thread);
    platformReleaseThread(&thread);  // a second release closes nothing
    EXPECT_EQ(thread.handle, nullptr);
    return slot;
}

TEST(Win32Threads, SixtyFourWorkersRunOnTheirOwnThreadsAndAreAllWaitedFor) {
    constexpr std::uint32_t kCount = 64;
    std::vector<Slot> slots(kCount);
    std::vector<PlatformThread> threads(kCount);
    std::vector<std::uint32_t> identifiers(kCount, 0);
    for (std::uint32_t i = 0; i < kCount; ++i) {
        slots[i] = Slot{i, 0, 0, -7};
        ASSERT_TRUE(platformStartThread(recordSlot, &slots[i], &threads[i], &identifiers[i]));
        ASSERT_NE(threads[i].handle, nullptr);
    }
    ASSERT_TRUE(platformWaitForThreads(threads.data(), kCount));

    std::set<std::uint32_t> distinct;
    for (std::uint32_t i = 0; i < kCount; ++i) {
        EXPECT_EQ(slots[i].seen, i + 1);
        // The identifier slot holds the id the thread itself saw.
        EXPECT_EQ(identifiers[i], slots[i].threadId);
        EXPECT_NE(slots[i].threadId, GetCurrentThreadId());
        distinct.insert(identifiers[i]);
        // The trampoline hands the entry's result back as the exit code.
        DWORD exitCode = 0;
        ASSERT_TRUE(GetExitCodeThread(static_cast<HANDLE>(threads[i].handle), &exitCode));
        EXPECT_EQ(exitCode, 1000 + i);
        platformReleaseThread(&threads[i]);
        EXPECT_EQ(threads[i].handle, nullptr);
    }
    EXPECT_EQ(distinct.size(), kCount);
}

TEST(Win32Threads, WaitEdgeCases) {
    EXPECT_TRUE(platformWaitForThreads(nullptr, 0));

    // More than one wait can cover: refused before any handle is looked at.
    std::vector<PlatformThread> tooMany(MAXIMUM_WAIT_OBJECTS + 1, PlatformThread{nullptr, nullptr, nullptr});
    EXPECT_FALSE(platformWaitForThreads(tooMany.data(), MAXIMUM_WAIT_OBJECTS + 1));

    // WAIT_FAILED (an invalid handle) is a failed wait.
    PlatformThread bogus{nullptr, nullptr, nullptr};
    EXPECT_FALSE(platformWaitForThreads(&bogus, 1));

    // Releasing twice closes the handle once.
    EXPECT_EQ(runOneWorker().seen, 1u);
}

std::atomic<int> runnerCalls{0};
std::atomic<std::uint64_t> runnerCountSum{0};

WorkStatus countingWorkload(WorkCount count, WorkArg arg, const char* path) {
    runnerCalls.fetch_add(1);
    runnerCountSum.fetch_add(static_cast<std::uint64_t>(count));
    return arg == 0 && path == nullptr ? kStatusOk : kStatusNoPath;
}

TEST(Win32Runner, EveryWorkerRunsTheFullCountOnRealThreads) {
    for (ThreadCount threads : {ThreadCount{2}, ThreadCount{17}, kMaxWorkerThreads}) {
        runnerCalls = 0;
        runnerCountSum = 0;
        WorkStatus status = -99;
        runOnThreads(threads, countingWorkload, 12345, 0, nullptr, &status);
        EXPECT_EQ(status, kStatusOk);
        EXPECT_EQ(runnerCalls.load(), static_cast<int>(threads));
        EXPECT_EQ(runnerCountSum.load(), 12345u * threads);
    }
}

#if defined(TEMBRIX_TEST_X87)
TEST(Win32X87, DoublePrecisionBeforeMainAndOnWorkers) {
    // The C runtime's start-up leaves 64 bits; the static constructor sets 53.
    EXPECT_EQ(platformX87PrecisionControl(), 2);
    EXPECT_EQ(runOneWorker().precisionControl, 2);

    // 1 + 2^-53 + 2^-64 rounds up to 1 + 2^-52 in one step at 53 bits; at 64 bits
    // it first ties down to 1 + 2^-53, which a store then ties down to 1.
    volatile double one = 1.0;
    volatile double addend = 0x1p-53 + 0x1p-64;
    volatile double sum = one + addend;
    EXPECT_EQ(sum, 1.0 + 0x1p-52);
}
#endif

}  // namespace
