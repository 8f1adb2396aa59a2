// The timer on a scripted counter: ticks to whole milliseconds, the order of
// its counter reads around the workload, and intervals beyond the word.
#include "core/timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "fakes/fake_counter.h"

namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

WorkStatus idleWorkload(WorkCount, WorkArg, const char*) {
    return kStatusOk;
}

WorkStatus cannotOpenWorkload(WorkCount, WorkArg, const char*) {
    return kStatusCannotOpen;
}

// What the counter had been asked for when the workload ran.
int valueReadsDuringWorkload = -1;
int frequencyReadsDuringWorkload = -1;
WorkCount countSeen = 0;
WorkArg argSeen = 0;
const char* pathSeen = nullptr;

WorkStatus observingWorkload(WorkCount count, WorkArg arg, const char* path) {
    valueReadsDuringWorkload = fakeCounterValueReads();
    frequencyReadsDuringWorkload = fakeCounterFrequencyReads();
    countSeen = count;
    argSeen = arg;
    pathSeen = path;
    return kStatusOk;
}

TEST(TimeWorkload, TruncatesToWholeMilliseconds) {
    fakeCounterReset(1000000);
    fakeCounterAppendMs({999.9, 1000.0, 0.0, 0.999, 1234.5678});
    for (TimerMs expected : {999, 1000, 0, 0, 1234}) {
        EXPECT_EQ(timeWorkload(idleWorkload, 0, 0, nullptr), expected);
    }
    EXPECT_EQ(fakeCounterOverruns(), 0);
}

TEST(TimeWorkload, ReadsTheFrequencyOnEveryCallBeforeTheInterval) {
    fakeCounterReset(1000000);
    fakeCounterAppendMs({1.0, 2.0, 3.0});
    timeWorkload(observingWorkload, 0, 0, nullptr);
    // Between the two readings nothing but the workload ran.
    EXPECT_EQ(valueReadsDuringWorkload, 1);
    EXPECT_EQ(frequencyReadsDuringWorkload, 1);
    timeWorkload(idleWorkload, 0, 0, nullptr);
    timeWorkload(idleWorkload, 0, 0, nullptr);
    EXPECT_EQ(fakeCounterReadOrder(), "fvvfvvfvv");
}

TEST(TimeWorkload, PassesItsArgumentsAndHandsTheStatusOut) {
    fakeCounterReset(1000000);
    fakeCounterAppendMs({5.0, 7.0, 9.0});
    const char* const path = "/some/dir/test.io";
    EXPECT_EQ(timeWorkload(observingWorkload, 123456, 64, path), TimerMs{5});
    EXPECT_EQ(countSeen, WorkCount{123456});
    EXPECT_EQ(argSeen, WorkArg{64});
    EXPECT_EQ(pathSeen, path);

    // A failing workload is timed like any other; its status goes out only.
    WorkStatus status = kStatusOk;
    EXPECT_EQ(timeWorkload(cannotOpenWorkload, 1, 1, nullptr, &status), TimerMs{7});
    EXPECT_EQ(status, kStatusCannotOpen);
    status = kStatusNoMemory;
    EXPECT_EQ(timeWorkload(idleWorkload, 1, 1, nullptr, &status), TimerMs{9});
    EXPECT_EQ(status, kStatusOk);
}

TEST(TimeWorkload, NoFrequencyGivesZero) {
    for (std::int64_t frequency : {0, -1000}) {
        fakeCounterReset(frequency);
        fakeCounterAppendTicks({5000000});
        EXPECT_EQ(timeWorkload(idleWorkload, 0, 0, nullptr), TimerMs{0}) << frequency;
    }
}

TEST(TimeWorkload, IntervalsBeyondTheMachineWord) {
    // One tick per millisecond makes the ms count equal to the ticks.
    fakeCounterReset(1000);
    fakeCounterAppendTicks({4294967295, 4294967296, 9000000000000, -5, kInt64Max});
#if TEMBRIX_WORD_BITS == 32
    // No wrapped time is ever handed out: saturated above, 0 below.
    const TimerMs expected[] = {4294967295u, 4294967295u, 4294967295u, 0, 4294967295u};
#else
    const TimerMs expected[] = {4294967295, 4294967296, 9000000000000, -5,
                                4611686018427387903};  // 2^62 - 1
#endif
    for (TimerMs ms : expected) {
        EXPECT_EQ(timeWorkload(idleWorkload, 0, 0, nullptr), ms);
    }
}

TEST(TicksToMilliseconds, ExactForCountersUpTo1e12HzAndIntervalsUpTo1e6Seconds) {
    // 10^6 s at 10^12 Hz, and one tick less: whole microseconds first.
    EXPECT_EQ(ticksToMilliseconds(1000000000000000000, 1000000000000), 1000000000);
    EXPECT_EQ(ticksToMilliseconds(999999999999999999, 1000000000000), 999999999);
    EXPECT_EQ(ticksToMilliseconds(-1000000000000000000, 1000000000000), -1000000000);
    EXPECT_EQ(ticksToMilliseconds(3579544999999, 3579545), 999999999);
    EXPECT_EQ(ticksToMilliseconds(-1500, 1000000), -1);  // truncates toward zero
    // Tick counts whose product with 10^6 leaves 64 bits.
    EXPECT_EQ(ticksToMilliseconds(9223372036855, 1000000), 9223372036);
    EXPECT_EQ(ticksToMilliseconds(kInt64Max, 3579545), 2576688388288113);
    EXPECT_EQ(ticksToMilliseconds(kInt64Min, 10000000000007), -922337203);
}

TEST(TicksToMilliseconds, SaturatesWhereNoCounterGoes) {
    constexpr std::int64_t longest = 4611686018427387903;  // 2^62 - 1
    EXPECT_EQ(ticksToMilliseconds(kInt64Max, 1), longest);
    EXPECT_EQ(ticksToMilliseconds(kInt64Min, 1), -longest);
    EXPECT_EQ(ticksToMilliseconds(kInt64Max, 1000), longest);
    EXPECT_EQ(ticksToMilliseconds(-1, kInt64Max), -longest);
}

}  // namespace
