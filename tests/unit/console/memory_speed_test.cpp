// The memory test: eleven block sizes, the best block, the repeat passes,
// result lines and the ##SPD; and ##MEM; records.
#include <string>
#include <vector>

#include "console/measurements/memory_speed.h"
#include "unit/console/console_fixture.h"

namespace {

using namespace texts;
const std::string kHeading = kMemoryHeading;
const int kBlocks[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024};

// Every block's last calibration run copies 10^7 times and lasts these ms: the
// rates 2500, 2083.33, ... 5 K-OPS of the ##SPD; example.
const std::vector<double> kExampleMs = {4000,  4800,  6000,   9000,   17000,  33000,
                                        65000, 130000, 300000, 700000, 2000000};
const char* const kExampleRates[] = {"2500",    "2083.33", "1666.67", "1111.11",
                                     "588.235", "303.03",  "153.846", "76.9231",
                                     "33.3333", "14.2857", "5"};
const char* const kExampleSpeeds[] = {"2500",    "4166.67", "6666.67", "8888.89",
                                      "9411.76", "9696.97", "9846.15", "9846.15",
                                      "8533.33", "7314.29", "5120"};

std::string logBlock(int block, const std::string& threads, const std::string& rate,
                     const std::string& speed) {
    return "  Speed @ " + std::to_string(block) + " KiB: " + threads + "x" + rate + " K-OPS / " +
           speed + " MiB per second and thread.\n";
}

std::string consoleBlock(int block, const std::string& threads, const std::string& rate,
                         const std::string& speed, std::size_t runs = 7) {
    return fill(kBlockLine, block) + hashes(runs) + "\r" + logBlock(block, threads, rate, speed);
}

const std::string kBest128 = "\n  Best block / speed was (9846 MiB/s @ 128 KiB blocks)\n";

std::string repeats(int cycles, int block) {
    std::string text;
    for (int i = 1; i <= cycles; ++i) {
        text += "\r  Repeating test in " + std::to_string(cycles) + " cycles with " +
                std::to_string(block) + " KiB blocks. " + std::to_string(i) + "/" +
                std::to_string(cycles);
    }
    return text;
}

struct MemoryTest : ConsoleTest {
    // The example's blocks, then cycles repeat passes lasting passMs.
    static void runExample(ThreadCount threads, CycleCount cycles, std::vector<double> passMs) {
        for (double ms : kExampleMs) {
            calibrationEndingAt(7, ms);
        }
        times(passMs);
        cycleCount = cycles;
        memoryTest(threads);
    }
    // The example's eleven lines, as on the console or in the log.
    static std::string exampleBlocks(const std::string& threads, bool console = true) {
        std::string text;
        for (int i = 0; i < 11; ++i) {
            text += console ? consoleBlock(kBlocks[i], threads, kExampleRates[i], kExampleSpeeds[i])
                            : logBlock(kBlocks[i], threads, kExampleRates[i], kExampleSpeeds[i]);
        }
        return text;
    }
    // The blocks that the repeat passes copied (their arg).
    static std::vector<WorkArg> repeatArgs() {
        std::vector<WorkArg> args;
        const std::vector<FakeWorkloadCall>& calls = fakeWorkloadCalls();
        for (std::size_t i = 11 * 7; i < calls.size(); ++i) {
            args.push_back(calls[i].arg);
        }
        return args;
    }
};

TEST_F(MemoryTest, FullRunWritesLinesAndBothRecords) {
    // 130000 ms by the running halving; their mean would be 126667.
    runExample(1, 3, {100000, 140000, 140000});
    // 9846.15 at 128 KiB beats the stored whole 9846 of 64 KiB; then
    // (10^7 / 130000) * 128 = 9846.15, not (10^7 / 130000 truncated) * 128.
    EXPECT_EQ(consoleText(), kHeading + exampleBlocks("1") + kBest128 + repeats(3, 128) +
                                 "\r  CPU max memcopy speed is: 1x9846 MiB/s @ 128 KiB blocks."
                                 "           \n");
    EXPECT_EQ(logText(),
              kHeading + exampleBlocks("1", false) +
                  "  CPU max memcopy speed is: 1x9846 MiB/s @ 128 KiB blocks.\n" +
                  texts::kSpdRecordHeader +
                  "##SPD;1;2500;4166.67;6666.67;8888.89;9411.76;9696.97;9846.15;9846.15;8533.33;"
                  "7314.29;5120;e968af1\n" +
                  texts::kMemRecordHeader + "##MEM;1;128;9846;bb5ab7e6\n");
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
    EXPECT_EQ(fakeCounterRemaining(), 0u);

    const std::vector<FakeWorkloadCall>& calls = fakeWorkloadCalls();
    ASSERT_EQ(calls.size(), 11u * 7 + 3);
    for (int b = 0; b < 11; ++b) {
        WorkCount count = 1;
        for (int run = 0; run < 7; ++run) {
            count *= 10;
            const FakeWorkloadCall& call = calls[static_cast<std::size_t>(b * 7 + run)];
            EXPECT_EQ(call.workload, kFakeMemcopy);
            EXPECT_EQ(call.count, count);
            EXPECT_EQ(call.arg, static_cast<WorkArg>(kBlocks[b]));
            EXPECT_FALSE(call.hasPath);
        }
    }
    EXPECT_EQ(repeatArgs(), std::vector<WorkArg>(3, 128));
    EXPECT_EQ(fakeWorkloadCounts(kFakeMemcopy).back(), WorkCount{10000000});

    // Thread count 0 runs on the calling thread too, but prints 0; one pass is
    // taken as it is.
    restart();
    runExample(0, 1, {130000});
    EXPECT_EQ(consoleText(), kHeading + exampleBlocks("0") + kBest128 + repeats(1, 128) +
                                 "\r  CPU max memcopy speed is: 0x9846 MiB/s @ 128 KiB blocks."
                                 "           \n");
    EXPECT_NE(logText().find("\n##SPD;0;2500;"), std::string::npos);
    EXPECT_NE(logText().find("\n##MEM;0;128;9846;26760525\n"), std::string::npos);
    EXPECT_EQ(fakeThreadsStarted(), 0);

    // Without a log no record is written.
    restart();
    withoutLog();
    runExample(1, 1, {130000});
    EXPECT_NE(consoleText().find("\r  CPU max memcopy speed is: 1x9846"), std::string::npos);
    EXPECT_EQ(logText(), "");
}

TEST_F(MemoryTest, BestBlockIsComparedWithTheStoredWholeNumber) {
    struct Case {
        double ms2;  // the 2 KiB run of 10^7 copies; the 1 KiB one gives 800.768
        const char* bestLine;
        WorkArg repeatedBlock;
    };
    const Case cases[] = {
        {24976, "\n  Best block / speed was (800 MiB/s @ 2 KiB blocks)\n", 2},  // equal: 800.768
        {24991, "\n  Best block / speed was (800 MiB/s @ 2 KiB blocks)\n", 2},  // lower: 800.288
        {25000, "\n  Best block / speed was (800 MiB/s @ 1 KiB blocks)\n", 1},  // exactly 800
    };
    for (const Case& c : cases) {
        restart();
        calibrationEndingAt(7, 12488);
        calibrationEndingAt(7, c.ms2);
        for (int i = 2; i < 11; ++i) {  // 4 to 1024 KiB at 400 MiB/s, below every best here
            calibrationEndingAt(7, 25000.0 * kBlocks[i]);
        }
        cycleCount = 1;
        times({1000});
        memoryTest(1);
        EXPECT_NE(consoleText().find(c.bestLine), std::string::npos) << c.ms2;
        EXPECT_EQ(repeatArgs(), std::vector<WorkArg>{c.repeatedBlock}) << c.ms2;
    }
    // Every later block above the stored whole 0 takes over, however little it is.
    restart();
    for (int block : kBlocks) {
        calibrationEndingAt(1, 1000000.0 * block);  // 10 copies: 0.00001 MiB/s each
    }
    cycleCount = 0;
    memoryTest(1);
    EXPECT_NE(consoleText().find("\n  Best block / speed was (0 MiB/s @ 1024 KiB blocks)\n"),
              std::string::npos);
}

TEST_F(MemoryTest, CycleCountZeroEndsTooFastAfterTheBestBlockLine) {
    runExample(1, 0, {});
    EXPECT_EQ(consoleText(), kHeading + exampleBlocks("1") + kBest128 + kTooFast);
    EXPECT_EQ(logText(), kHeading + exampleBlocks("1", false));
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));
}

TEST_F(MemoryTest, NoMemoryEndsTheTest) {
    // In the calibration of the 4 KiB blocks: its first run.
    fakeWorkloadsScript(kFakeMemcopy, std::vector<WorkStatus>(14, kStatusOk));
    fakeWorkloadsScript(kFakeMemcopy, {kStatusNoMemory});
    calibrationEndingAt(7, 4000);
    calibrationEndingAt(7, 4800);
    memoryTest(1);
    const std::string warning = fill(kNoMemory, 4);
    EXPECT_EQ(consoleText(), kHeading + consoleBlock(1, "1", "2500", "2500") +
                                 consoleBlock(2, "1", "2083.33", "4166.67") +
                                 fill(kBlockLine, 4) + "#" + warning);
    EXPECT_EQ(logText(), kHeading + logBlock(1, "1", "2500", "2500") +
                             logBlock(2, "1", "2083.33", "4166.67") + warning);
    EXPECT_EQ(fakeWorkloadCalls().size(), 15u);
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassRealtime, kPriorityClassNormal}));

    // In the second repeat pass.
    restart();
    fakeWorkloadsScript(kFakeMemcopy, std::vector<WorkStatus>(11 * 7 + 1, kStatusOk));
    fakeWorkloadsScript(kFakeMemcopy, {kStatusNoMemory});
    runExample(1, 5, {1000, 1000});
    const std::string repeatWarning = fill(kNoMemory, 128);
    const std::string end = "\r  Repeating test in 5 cycles with 128 KiB blocks. 1/5"
                            "\r  Repeating test in 5 cycles with 128 KiB blocks. 2/5" +
                            repeatWarning;
    EXPECT_EQ(consoleText().substr(consoleText().size() - end.size()), end);
    EXPECT_EQ(logText(), kHeading + exampleBlocks("1", false) + repeatWarning);
    EXPECT_EQ(fakePriorityRequests().back(), kPriorityClassNormal);
}

TEST_F(MemoryTest, TwoThreadsCalibrateAndRepeatThroughTheRunner) {
    for (double ms : kExampleMs) {
        times(std::vector<double>(12, 0.0));
        times({ms, ms + 1});  // the workers' times halve to ms
    }
    times({130000, 130001});
    cycleCount = 1;
    memoryTest(2);
    EXPECT_EQ(fakeThreadsStarted(), 2 * (11 * 7 + 1));
    EXPECT_NE(logText().find(logBlock(16, "2", "588.235", "9411.76")), std::string::npos);
    EXPECT_NE(logText().find("\n##MEM;2;128;9846;"), std::string::npos);
}

TEST_F(MemoryTest, SpeedsBeyondTheWordEndTooFast) {
    // memSpeed from pass times 1, 0, 0, ...
    runExample(1, 64, {1});
    EXPECT_EQ(consoleText(),
              kHeading + exampleBlocks("1") + kBest128 + repeats(64, 128) + kTooFast);
    EXPECT_EQ(logText().find("##"), std::string::npos);

    // The 1024 KiB calibration ends with 10^12 copies, or 3567587328 in the
    // wrapping x86 count, in 1000 ms: bestSpeed holds it in x86-64 builds only.
    restart();
    calibrationEndingAt(7, 4000);
    for (int i = 1; i < 10; ++i) {
        calibrationEndingAt(1, 1000);
    }
    calibrationEndingAt(12, 1000);
    cycleCount = 0;
    memoryTest(1);
#if TEMBRIX_WORD_BITS == 64
    EXPECT_NE(consoleText().find("(1024000000000 MiB/s @ 1024 KiB blocks)"), std::string::npos);
#else
    const std::string end = "\r  Speed @ 512 KiB: 1x0.01 K-OPS / 5.12 MiB per second and thread."
                            "\n" + fill(kBlockLine, 1024) + hashes(12) + kTooFast;
    EXPECT_EQ(consoleText().substr(consoleText().size() - end.size()), end);
#endif
}

}  // namespace
