// The real thread layer, and the runner on top of it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>

#include "core/thread_runner.h"
#include "platform/core_platform.h"

namespace {

std::uint32_t countingEntry(void* argument) {
    static_cast<std::atomic<int>*>(argument)->fetch_add(1);
    return 0;
}

TEST(PosixThreads, StartWaitRelease) {
    constexpr std::uint32_t kThreads = 4;
    std::atomic<int> runs[kThreads] = {};
    PlatformThread threads[kThreads];
    for (std::uint32_t i = 0; i < kThreads; ++i) {
        std::uint32_t identifier = 0;
        ASSERT_TRUE(platformStartThread(countingEntry, &runs[i], &threads[i], &identifier));
    }
    ASSERT_TRUE(platformWaitForThreads(threads, kThreads));
    // Waiting again for ended threads is harmless.
    EXPECT_TRUE(platformWaitForThreads(&threads[1], 1));
    for (std::uint32_t i = 0; i < kThreads; ++i) {
        EXPECT_EQ(runs[i].load(), 1);
        platformReleaseThread(&threads[i]);
        EXPECT_EQ(threads[i].handle, nullptr);
    }
}

// Every worker of one run waits here until all of them have arrived, so the
// run only completes when the workers really ran at the same time. The time
// limit only turns a hang into a failure; nothing depends on it otherwise.
constexpr int kWorkers = 3;
std::mutex gateMutex;
std::condition_variable gate;
int arrived = 0;
bool allArrived = true;
std::atomic<int> fullCounts{0};
std::atomic<int> otherCounts{0};
std::mutex idsMutex;
std::set<std::thread::id> workerIds;

WorkStatus meetingWorkload(WorkCount count, WorkArg arg, const char* path) {
    if (count == 777 && arg == 3 && path != nullptr) {
        fullCounts.fetch_add(1);
    } else {
        otherCounts.fetch_add(1);
    }
    {
        std::lock_guard<std::mutex> lock(idsMutex);
        workerIds.insert(std::this_thread::get_id());
    }
    std::unique_lock<std::mutex> lock(gateMutex);
    ++arrived;
    gate.notify_all();
    if (!gate.wait_for(lock, std::chrono::seconds(60), [] { return arrived >= kWorkers; })) {
        allArrived = false;
    }
    return kStatusOk;
}

TEST(PosixThreads, RunnerRunsEveryWorkerConcurrentlyWithTheFullCount) {
    WorkStatus status = kStatusNoMemory;
    runOnThreads(kWorkers, meetingWorkload, 777, 3, "p", &status);
    EXPECT_EQ(status, kStatusOk);
    EXPECT_TRUE(allArrived);
    EXPECT_EQ(arrived, kWorkers);
    EXPECT_EQ(fullCounts.load(), kWorkers);
    EXPECT_EQ(otherCounts.load(), 0);
    EXPECT_EQ(workerIds.size(), static_cast<std::size_t>(kWorkers));
    EXPECT_EQ(workerIds.count(std::this_thread::get_id()), 0u);
}

}  // namespace
