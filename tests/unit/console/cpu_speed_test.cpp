// The CPU test: calibration, the four phases, result lines, record, priority.
#include <string>
#include <vector>

#include "console/measurements/cpu_speed.h"
#include "unit/console/console_fixture.h"

namespace {

using namespace texts;

std::string progress(const std::string& what, int cycles) {
    std::string text;
    for (int i = 1; i <= cycles; ++i) {
        text += "\r  Measuring CPU " + what + " (" + std::to_string(cycles) + " cycles) " +
                std::to_string(i) + "/" + std::to_string(cycles);
    }
    return text;
}

const std::string kIntegerProgress = "integer operation speed";

// Calibration at 10^8 in 1234 ms: 81037000 OPS, the math phase 8103700.
const std::string kCalibrated =
    kCalibratingCpu + hashes(8) +
    "\r  Done. (Result: CPU does 81037000 OPS per second on one core.)\n" + kCpuHeading;

struct CpuTest : ConsoleTest {
    void scriptFullRun() {
        calibrationEndingAt(8, 1234);
        times({3000, 5000, 8000});  // integer: 6000, where the mean is 5333.3
        times({1000, 1000, 1000});  // floating point
        times({2000, 0, 0});        // bit shifting: 500
        times({100, 300, 200});     // math: 200
        cycleCount = 3;
    }
    std::string fullRunConsole(const std::string& threads) {
        return kCalibrated + progress(kIntegerProgress, 3) + "\r  CPU integer speed is:\t\t" +
               threads + "x13506166 IOPS.                \n" +
               progress("floating point speed", 3) + "\r  CPU floating point speed is:\t" +
               threads + "x81037000 FLOPS.                \n" + progress("bit shifting speed", 3) +
               "\r  CPU bit shifting speed is:\t" + threads + "x162074000 BSOPS.               \n" +
               progress("math speed", 3) + "\r  CPU math speed is:\t\t" + threads +
               "x40518500 Math-OPS.               \n";
    }
    std::string fullRunLogLines(const std::string& threads) {
        return kCpuHeading + ("  CPU integer speed is:\t\t" + threads + "x13506166 IOPS.\n"
               "  CPU floating point speed is:\t" + threads + "x81037000 FLOPS.\n"
               "  CPU bit shifting speed is:\t" + threads + "x162074000 BSOPS.\n"
               "  CPU math speed is:\t\t" + threads + "x40518500 Math-OPS.\n");
    }
};

TEST_F(CpuTest, FullRunWritesLinesAndRecord) {
    scriptFullRun();
    cpuTest(1);
    EXPECT_EQ(consoleText(), fullRunConsole("1"));
    EXPECT_EQ(logText(), fullRunLogLines("1") + texts::kCpuRecordHeader +
                             "##CPU;1;13506166;81037000;162074000;40518500;d14031bb\n");
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
    EXPECT_EQ(fakeCounterRemaining(), 0u);
    EXPECT_EQ(fakeThreadsStarted(), 0);

    EXPECT_EQ(fakeWorkloadCounts(kFakeCalibration),
              (std::vector<WorkCount>{10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000}));
    const std::vector<WorkCount> phaseCounts(3, 81037000);
    EXPECT_EQ(fakeWorkloadCounts(kFakeInteger), phaseCounts);
    EXPECT_EQ(fakeWorkloadCounts(kFakeFloat), phaseCounts);
    EXPECT_EQ(fakeWorkloadCounts(kFakeBitShift), phaseCounts);
    EXPECT_EQ(fakeWorkloadCounts(kFakeMath), std::vector<WorkCount>(3, 8103700));
    for (const FakeWorkloadCall& call : fakeWorkloadCalls()) {
        EXPECT_EQ(call.arg, WorkArg{0});
        EXPECT_FALSE(call.hasPath);
    }

    // Thread count 0 runs on the calling thread too, but prints 0.
    restart();
    scriptFullRun();
    cpuTest(0);
    EXPECT_EQ(consoleText(), fullRunConsole("0"));
    EXPECT_EQ(logText(), fullRunLogLines("0") + texts::kCpuRecordHeader +
                             "##CPU;0;13506166;81037000;162074000;40518500;83f3a7a\n");
    EXPECT_EQ(fakeThreadsStarted(), 0);

    // Without a log the console is the same.
    restart();
    scriptFullRun();
    withoutLog();
    cpuTest(1);
    EXPECT_EQ(consoleText(), fullRunConsole("1"));
    EXPECT_EQ(logText(), "");
}

TEST_F(CpuTest, TwoThreadsRunThroughTheRunnerAfterASingleThreadCalibration) {
    calibrationEndingAt(4, 1000);  // 10000 OPS
    cycleCount = 1;
    times({1000, 1001});  // integer: each worker's time, halved to 1000
    times({500, 1500});   // 1000
    times({250, 252});    // 251
    times({10, 30});      // 20
    cpuTest(2);
    EXPECT_EQ(fakeThreadsStarted(), 8);
    EXPECT_EQ(fakeWorkloadCounts(kFakeCalibration).size(), 4u);
    EXPECT_EQ(fakeWorkloadCounts(kFakeInteger), std::vector<WorkCount>(2, 10000));
    EXPECT_EQ(fakeWorkloadCounts(kFakeMath), std::vector<WorkCount>(2, 1000));
    EXPECT_NE(consoleText().find("\r  CPU integer speed is:\t\t2x10000 IOPS."), std::string::npos);
    EXPECT_NE(consoleText().find("\r  CPU bit shifting speed is:\t2x39840 BSOPS."),
              std::string::npos);
    EXPECT_NE(consoleText().find("\r  CPU math speed is:\t\t2x50000 Math-OPS."), std::string::npos);
    EXPECT_NE(logText().find("##CPU;2;10000;10000;39840;50000;"), std::string::npos);
}

TEST_F(CpuTest, PassCombiningAndRateTruncation) {
    // 1 then 0 ms combine to 0.5, a rate of count * 2000.
    calibrationEndingAt(4, 1000);
    cycleCount = 2;
    times({1, 0, 3, 3, 7, 0, 1000, 1000});
    cpuTest(1);
    EXPECT_NE(consoleText().find("\t\t1x20000000 IOPS."), std::string::npos);
    EXPECT_NE(consoleText().find("\t1x3333333 FLOPS."), std::string::npos);  // 3333333.33
    EXPECT_NE(consoleText().find("\t1x2857142 BSOPS."), std::string::npos);  // 3.5 ms
    EXPECT_NE(consoleText().find("\t\t1x1000 Math-OPS."), std::string::npos);
}

TEST_F(CpuTest, CycleCountZeroOrLessEndsAsTooFastAfterTheHeading) {
    for (CycleCount cycles : {0, -3}) {
        restart();
        calibrationEndingAt(8, 1234);
        cycleCount = cycles;
        cpuTest(1);
        EXPECT_EQ(consoleText(), kCalibrated + kTooFast);
        EXPECT_EQ(logText(), kCpuHeading);
        EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
        EXPECT_TRUE(fakeWorkloadCounts(kFakeInteger).empty());
    }
}

TEST_F(CpuTest, TooFastInALaterPhaseKeepsTheEarlierLinesAndWritesNoRecord) {
    calibrationEndingAt(8, 1234);
    cycleCount = 1;
    times({1000, 0});  // the floating-point phase measures 0 ms
    cpuTest(1);
    EXPECT_EQ(consoleText(), kCalibrated + progress(kIntegerProgress, 1) +
                                 "\r  CPU integer speed is:\t\t1x81037000 IOPS.                \n" +
                                 progress("floating point speed", 1) + kTooFast);
    EXPECT_EQ(logText(),
              kCpuHeading + std::string("  CPU integer speed is:\t\t1x81037000 IOPS.\n"));
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
    EXPECT_TRUE(fakeWorkloadCounts(kFakeBitShift).empty());
}

TEST_F(CpuTest, CalibrationSlowerThanItsCountGivesZeroOpsAndEndsTooFast) {
    calibrationEndingAt(3, 1500);  // 1000 iterations in 1500 ms
    cpuTest(1);
    EXPECT_EQ(consoleText(), kCalibratingCpu + hashes(3) +
                                 "\r  Done. (Result: CPU does 0 OPS per second on one core.)\n" +
                                 kCpuHeading + progress(kIntegerProgress, 5) + kTooFast);
    EXPECT_EQ(fakeWorkloadCounts(kFakeInteger), std::vector<WorkCount>(5, 0));
}

// A timer reporting 0.6 ms per million iterations, whole ms.
TEST_F(CpuTest, CalibrationCountsOfTheBuildsWord) {
    std::vector<WorkCount> expected;
    CpuCalibCount count = 1;
    for (;;) {
        count = static_cast<CpuCalibCount>(count * 10u);  // wraps in the x86 builds
        expected.push_back(static_cast<WorkCount>(count));
        const double ms = static_cast<double>(static_cast<unsigned long long>(count) * 6 / 10000000);
        times({ms});
        if (ms >= 1000) {
            break;
        }
    }
    cycleCount = 0;
    cpuTest(1);
    EXPECT_EQ(fakeWorkloadCounts(kFakeCalibration), expected);
#if TEMBRIX_WORD_BITS == 64
    EXPECT_EQ(expected.size(), 10u);
    EXPECT_EQ(expected.back(), WorkCount{10000000000});
    const std::string done = hashes(10) + "\r  Done. (Result: CPU does 1666666000 OPS";
#else
    EXPECT_EQ(expected, (std::vector<WorkCount>{10, 100, 1000, 10000, 100000, 1000000, 10000000,
                                                100000000, 1000000000, 1410065408u, 1215752192u,
                                                3567587328u}));
    const std::string done = hashes(12) + "\r  Done. (Result: CPU does 1667096000 OPS";
#endif
    EXPECT_NE(consoleText().find(done), std::string::npos) << consoleText();
}

TEST_F(CpuTest, RateBeyondTheWordEndsTooFastInsteadOfPrintingIt) {
    // Pass times 1, 0, 0, ... halve the combined time towards 0.
    calibrationEndingAt(8, 1234);
    cycleCount = 64;
    times({1});
    cpuTest(1);
    EXPECT_EQ(consoleText(), kCalibrated + progress(kIntegerProgress, 64) + kTooFast);
    EXPECT_EQ(logText(), kCpuHeading);

    // 13506166666 IOPS fits the x86-64 word only.
    restart();
    calibrationEndingAt(8, 1234);
    cycleCount = 3;
    times({3, 5, 8});
    cpuTest(1);
#if TEMBRIX_WORD_BITS == 64
    EXPECT_NE(consoleText().find("\t\t1x13506166666 IOPS."), std::string::npos);
#else
    EXPECT_EQ(consoleText(), kCalibrated + progress(kIntegerProgress, 3) + kTooFast);
#endif
}

TEST_F(CpuTest, BitShiftMismatchStatusDoesNotEndTheTest) {
    // The x86 bit-shift loop reports -1 for every count of 10 or more.
    fakeWorkloadsDefault(kFakeBitShift, kStatusShiftMismatch);
    scriptFullRun();
    cpuTest(1);
    EXPECT_EQ(consoleText(), fullRunConsole("1"));
}

}  // namespace
