// The real priority layer. Raising needs privileges the test may not have; a
// refusal must then leave the scheduling as it was.
#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <cstdint>

#include "core/priority.h"
#include "platform/core_platform.h"

namespace {

struct Scheduling {
    int policy;
    int priority;
    int nice;
};

Scheduling current() {
    Scheduling now{};
    sched_param param{};
    pthread_getschedparam(pthread_self(), &now.policy, &param);
    now.priority = param.sched_priority;
    now.nice = getpriority(PRIO_PROCESS, 0);
    return now;
}

void expectTimeSharing(int nice) {
    const Scheduling now = current();
    EXPECT_EQ(now.policy, SCHED_OTHER);
    EXPECT_EQ(now.nice, nice);
}

// Every test starts at normal and must get back to it.
struct PosixPriority : testing::Test {
    void SetUp() override { ASSERT_TRUE(setPriority(Normal)); }
    void TearDown() override {
        EXPECT_TRUE(setPriority(Normal));
        expectTimeSharing(0);
    }
};

TEST_F(PosixPriority, HighIsNiceMinusTenOrRefusedUnchanged) {
    if (setPriority(High)) {
        expectTimeSharing(-10);
    } else {
        expectTimeSharing(0);
    }
}

TEST_F(PosixPriority, RealtimeIsFifoOrRefusedUnchanged) {
    if (setPriority(Realtime)) {
        const Scheduling now = current();
        EXPECT_EQ(now.policy, SCHED_FIFO);
        EXPECT_EQ(now.priority, 1);
        // Back down to high leaves the real-time policy.
        if (setPriority(High)) {
            expectTimeSharing(-10);
        }
    } else {
        expectTimeSharing(0);
    }
}

Scheduling seenByWorker{};

std::uint32_t recordScheduling(void*) {
    seenByWorker = current();
    return 0;
}

Scheduling schedulingOfANewThread() {
    PlatformThread thread{};
    std::uint32_t identifier = 0;
    seenByWorker = Scheduling{-1, -1, -100};
    if (platformStartThread(recordScheduling, nullptr, &thread, &identifier)) {
        platformWaitForThreads(&thread, 1);
        platformReleaseThread(&thread);
    }
    return seenByWorker;
}

TEST_F(PosixPriority, WorkersInheritTheMainThreadsLevel) {
    if (!setPriority(High)) {
        GTEST_SKIP() << "no privilege to raise the priority";
    }
    Scheduling worker = schedulingOfANewThread();
    EXPECT_EQ(worker.policy, SCHED_OTHER);
    EXPECT_EQ(worker.nice, -10);
    if (setPriority(Realtime)) {
        worker = schedulingOfANewThread();
        EXPECT_EQ(worker.policy, SCHED_FIFO);
        EXPECT_EQ(worker.priority, 1);
    }
    ASSERT_TRUE(setPriority(Normal));
    worker = schedulingOfANewThread();
    EXPECT_EQ(worker.policy, SCHED_OTHER);
    EXPECT_EQ(worker.nice, 0);
}

}  // namespace
