// What the CPU and memory tests share, asserted once for both: the refusal of
// more than 64 threads, the priority warnings, a calibration that never
// reaches 1000 ms, and the runner's failures.
#include <string>
#include <vector>

#include "console/measurements/cpu_speed.h"
#include "console/measurements/memory_speed.h"
#include "support/leaks_allowed.h"
#include "unit/console/console_fixture.h"

namespace {

using namespace texts;

struct CpuKind {
    static void run(ThreadCount threads) { cpuTest(threads); }
    // The console and the log before the first calibration run.
    static std::string consoleStart() { return kCalibratingCpu; }
    static std::string logStart() { return ""; }
    // Up to the first run on worker threads, with a calibration ended by its
    // first run and one cycle.
    static std::string consoleToWorkers() {
        return consoleStart() + "#\r  Done. (Result: CPU does 0 OPS per second on one core.)\n" +
               kCpuHeading + "\r  Measuring CPU integer operation speed (1 cycles) 1/1";
    }
    static std::string logToWorkers() { return kCpuHeading; }
};

struct MemoryKind {
    static void run(ThreadCount threads) { memoryTest(threads); }
    static std::string consoleStart() { return kMemoryHeading + fill(kBlockLine, 1); }
    static std::string logStart() { return kMemoryHeading; }
    static std::string consoleToWorkers() { return consoleStart() + "#"; }
    static std::string logToWorkers() { return kMemoryHeading; }
};

template <typename Kind>
struct CpuAndMemory : ConsoleTest {};

using Kinds = ::testing::Types<CpuKind, MemoryKind>;
TYPED_TEST_SUITE(CpuAndMemory, Kinds);

TYPED_TEST(CpuAndMemory, MoreThan64ThreadsAreRefusedBeforeAnything) {
    for (ThreadCount threads : {65u, 4294967295u}) {
        this->restart();
        TypeParam::run(threads);
        EXPECT_EQ(this->consoleText(), fill(kTooManyThreads, threads));
        EXPECT_EQ(this->logText(), fill(kTooManyThreads, threads));
        EXPECT_TRUE(fakePriorityRequests().empty());
        EXPECT_TRUE(fakeWorkloadCalls().empty());
    }
    // 64 itself is run.
    cycleCount = 0;
    TypeParam::run(64);
    EXPECT_FALSE(fakeWorkloadCalls().empty());
}

TYPED_TEST(CpuAndMemory, CalibrationNeverReaching1000MsEndsTooFastAfterThePriorityWarnings) {
    const std::string warnings[] = {"", kRealtimeRefused,
                                    std::string(kRealtimeRefused) + kHighRefused};
    for (int refused = 0; refused < 3; ++refused) {
        this->restart();
        std::vector<PlatformPriorityClass> requests = {kPriorityClassRealtime};
        if (refused > 0) {
            fakePriorityRefuse(kPriorityClassRealtime);
            requests.push_back(kPriorityClassHigh);
        }
        if (refused > 1) {
            fakePriorityRefuse(kPriorityClassHigh);
        }
        requests.push_back(kPriorityClassNormal);
        TypeParam::run(1);  // every run lasts 0 ms
        EXPECT_EQ(this->consoleText(),
                  warnings[refused] + TypeParam::consoleStart() + hashes(kZeroMsRuns) + kTooFast);
        EXPECT_EQ(this->logText(), (refused > 1 ? kHighRefused : "") + TypeParam::logStart());
        EXPECT_EQ(fakePriorityRequests(), requests);
    }
}

TYPED_TEST(CpuAndMemory, RunnerFailuresEndTheTestWithoutRecord) {
    cycleCount = 1;
    this->calibrationEndingAt(1, 1000);
    fakeThreadsFailStartAt(1);
    TypeParam::run(2);
    EXPECT_EQ(this->consoleText(), TypeParam::consoleToWorkers() + fill(kNotStarted, 2));
    EXPECT_EQ(this->logText(), TypeParam::logToWorkers() + fill(kNotStarted, 2));
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));

    this->restart();
    cycleCount = 1;
    this->calibrationEndingAt(1, 1000);
    fakeThreadsFailWaits(1 + 3);  // the wait for all, then each of the three
    const LeaksAllowed leaks;
    TypeParam::run(3);
    EXPECT_EQ(this->consoleText(), TypeParam::consoleToWorkers() + kWaitFailed);
    EXPECT_EQ(this->logText(), TypeParam::logToWorkers() + kWaitFailed);
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
}

}  // namespace
