// The menu loop and the batch run: which tests run for which input, and the
// menu's own texts; the whole program started in-process. Every timed run here
// lasts 0 ms, so each test ends early in a known way.
#include <iostream>
#include <string>

#include "console/batch_and_menu.h"
#include "console/program.h"
#include "support/scratch_dir.h"
#include "unit/console/console_fixture.h"

namespace {

using namespace texts;

// What each test prints when all its runs last 0 ms.
const std::string kCpu = kCalibratingCpu + hashes(kZeroMsRuns) + kTooFast;
const std::string kMemory = kMemoryHeading + fill(kBlockLine, 1) + hashes(kZeroMsRuns) + kTooFast;
const std::string kDisk =
    kDiskHeading + fill(kBlockLine, 1) + hashes(kZeroMsDiskRuns) + kDiskRunsTooShort;

// The tests that ran, in order: c, m and d for the first run of each.
std::string testsRun() {
    std::string order;
    FakeWorkload last = kFakeInteger;
    for (const FakeWorkloadCall& call : fakeWorkloadCalls()) {
        if (call.workload != last) {
            if (call.workload == kFakeCalibration) order += 'c';
            if (call.workload == kFakeMemcopy) order += 'm';
            if (call.workload == kFakeDiskWrite) order += 'd';
        }
        last = call.workload;
    }
    return order;
}

struct MenuTest : ConsoleTest {
    void SetUp() override {
        ConsoleTest::SetUp();
        withoutLog();  // an interactive run has no log
    }
    // A turn: the menu, the line end after the choice, what the choice printed.
    static std::string turn(const std::string& printed = "") { return kMenu + ("\n" + printed); }
};

TEST_F(MenuTest, ChoicesAndTheLinesAfterThem) {
    struct Case {
        const char* input;
        std::string console;
        const char* tests;
    };
    const Case cases[] = {
        {"cm\n", turn(kCpu) + turn() + kBye, "c"},  // the m goes with the line
        {"m\n", turn(kMemory) + turn() + kBye, "m"},
        {"c\nm\nq\nc\n", turn(kCpu) + turn(kMemory) + turn() + kBye, "cm"},
        {" c\n", turn() + kBye, ""},
        {"C\n", turn() + kBye, ""},
        {"\nc\n", turn() + kBye, ""},  // the line end is the choice; the c line is dropped
        {"", turn() + kBye, ""},
        {"c", turn(kCpu) + turn() + kBye, "c"},
        {"a\n\n", turn(kCpu + kMemory + kDiskPrompt) + turn() + kBye, "cm"},
    };
    for (const Case& c : cases) {
        restart();
        withoutLog();
        typeInput(c.input);
        runMenu(1);
        EXPECT_EQ(consoleText(), c.console) << "input: " << c.input;
        EXPECT_EQ(testsRun(), c.tests) << "input: " << c.input;
        EXPECT_EQ(logText(), "");
    }
    // The empty line took the next line with it.
    restart();
    typeInput("\nc\nm\n");
    runMenu(1);
    EXPECT_EQ(testsRun(), "");
    EXPECT_EQ(std::cin.peek(), 'm');
}

TEST_F(MenuTest, ProgramTiesTheStreamThatFlushesTheConsole) {
    std::clog.tie(nullptr);  // the fixture's check fails unless the program ties it again
    typeInput("c\n");
    char name[] = "tembrix";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(runProgram(1, argv), kExitNormal);
    const std::string end = "Using 1 thread(s) and 5 cycles.\n" + turn(kCpu) + turn() + kBye;
    ASSERT_GE(consoleText().size(), end.size());
    EXPECT_EQ(consoleText().substr(consoleText().size() - end.size()), end);
}

TEST_F(MenuTest, DirectoryTypedOnceServesLaterDiskTests) {
    ScratchDir scratch;
    const std::string directory = scratch.path.string();
    typeInput("d\n" + directory + "\na\nx\n");
    runMenu(1);
    EXPECT_EQ(consoleText(), turn(kDiskPrompt + kDisk) +
                                 turn(kCpu + kMemory + kDisk) + turn() + kBye);
    EXPECT_EQ(testsRun(), "dcmd");
}

TEST_F(MenuTest, ThreadCountReachesTheTests) {
    typeInput("a\n\n");
    runMenu(100);
    const std::string refusal = fill(kTooManyThreads, 100);
    EXPECT_EQ(consoleText(), turn(refusal + refusal + kDiskPrompt) + turn() + kBye);
}

TEST_F(ConsoleTest, BatchRunsCpuAndMemoryThenDiskWhenADirectoryIsSet) {
    runBatch(1);
    EXPECT_EQ(consoleText(), kCpu + kMemory);
    EXPECT_EQ(testsRun(), "cm");
    EXPECT_EQ(fakePriorityRequests(),
              requested({kPriorityClassRealtime, kPriorityClassNormal, kPriorityClassRealtime,
                         kPriorityClassNormal}));

    restart();
    ScratchDir scratch;
    const std::string directory = scratch.path.string();
    destinationPath = directory.c_str();
    runBatch(100);
    const std::string refusal = fill(kTooManyThreads, 100);
    EXPECT_EQ(consoleText(), refusal + refusal + kDisk);
    EXPECT_EQ(logText(), refusal + refusal + fill(kLogDiskHeading, directory) + kDiskRunsTooShort);
    EXPECT_EQ(testsRun(), "d");
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
}

}  // namespace
