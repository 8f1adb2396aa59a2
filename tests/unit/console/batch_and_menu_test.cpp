// The menu loop and the batch run: which tests run for which input, and the
// menu's own texts; the whole program started in-process. Every timed run here
// lasts 0 ms, so each test ends early in a known way.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "console/batch_and_menu.h"
#include "console/program.h"
#include "support/scratch_dir.h"
#include "unit/console/console_fixture.h"

namespace {

const std::string kMenu =
    "\nMENU - Available options\n"
    "  c - Test CPU speed \n"
    "  m - Test memory speed\n"
    "  d - Test disk speed\n"
    "  a - Perform all tests\n"
    "\n"
    "  Anything else - Exit\n\n"
    "Your choice: ";
const std::string kBye = "\n\nBye.\n";
const std::string kTooFast = "\nSeems your machine is too fast to measure using this tool.\n";
const std::string kPrompt =
    "\nDisk-Spped-Test \nPlease enter a valid path for testing: (eg: C:, B: - empty aborts)\n";
#if TEMBRIX_WORD_BITS == 64
const std::size_t kUnsignedRuns = 18;
const std::size_t kDiskRuns = 18;
#else
const std::size_t kUnsignedRuns = 31;
const std::size_t kDiskRuns = 9;
#endif

// What each test prints when all its runs last 0 ms.
const std::string kCpu = "\nCalibrating CPU Test...\n" + hashes(kUnsignedRuns) + kTooFast;
const std::string kMemory = "\nTesting memory speed (1 - 1024 KiB blocks)...\n"
                            "  Testing with block size = 1 KiBytes... " +
                            hashes(kUnsignedRuns) + kTooFast;
const std::string kDiskRunsTooShort = "\nTesting disk speed (1 - 1024 KiB blocks)...\n"
                                      "  Testing with block size = 1 KiBytes... " +
                                      hashes(kDiskRuns) +
                                      "\nWARNING: The disk runs stay below 1000 ms! Test aborted.\n";

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
    static std::string turn(const std::string& printed = "") { return kMenu + "\n" + printed; }
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
        {"d\n\n", turn(kPrompt) + turn() + kBye, ""},
        {"a\n\n", turn(kCpu + kMemory + kPrompt) + turn() + kBye, "cm"},
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

// A console that shows what was written only when the stream is flushed.
struct HeldConsole : std::stringbuf {
    std::string shown;
    int sync() override {
        shown += str();
        str("");
        return 0;
    }
};

TEST_F(MenuTest, ProgramWithoutArgumentsShowsProgressBeforeEachLaterRun) {
    HeldConsole screen;
    std::cout.rdbuf(&screen);
    std::ostream* const savedTie = std::clog.tie();
    fakeWorkloadsWatchConsole([&screen] { return !screen.str().empty(); });
    typeInput("c\n");
    char name[] = "tembrix";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(runProgram(1, argv), kExitNormal);
    std::clog.tie(savedTie);

    const std::string text = screen.shown + screen.str();
    const std::string end = "Using 1 thread(s) and 5 cycles.\n" + turn(kCpu) + turn() + kBye;
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    // The heading goes out with the first run's "#"; every later run follows a
    // flush of what came before it.
    const std::vector<FakeWorkloadCall>& calls = fakeWorkloadCalls();
    ASSERT_EQ(calls.size(), kUnsignedRuns);
    for (std::size_t i = 1; i < calls.size(); ++i) {
        EXPECT_FALSE(calls[i].consolePending) << "run " << i + 1;
    }
}

TEST_F(MenuTest, DirectoryTypedOnceServesLaterDiskTests) {
    ScratchDir scratch;
    const std::string directory = scratch.path.string();
    typeInput("d\n" + directory + "\na\nx\n");
    runMenu(1);
    EXPECT_EQ(consoleText(), turn(kPrompt + kDiskRunsTooShort) +
                                 turn(kCpu + kMemory + kDiskRunsTooShort) + turn() + kBye);
    EXPECT_EQ(testsRun(), "dcmd");
}

TEST_F(MenuTest, LongDirectoryLineIsReadWholeAndTheMenuGoesOn) {
    // 70 characters that name no directory; the empty line ends the prompt.
    typeInput("d\n/nonexistent-tembrix-directory" + std::string(40, 'x') + "\n\nc\nx\n");
    runMenu(1);
    EXPECT_EQ(consoleText(),
              turn(kPrompt + "\nThis path is invalid. (Or we do not have write permissions!)\n" +
                   kPrompt) +
                  turn(kCpu) + turn() + kBye);
    EXPECT_EQ(testsRun(), "c");
}

TEST_F(MenuTest, ThreadCountReachesTheTests) {
    typeInput("a\n\n");
    runMenu(100);
    const std::string refusal =
        "\nWARNING: Can not run 100 threads, at most 64 are supported! Test skipped.\n";
    EXPECT_EQ(consoleText(), turn(refusal + refusal + kPrompt) + turn() + kBye);
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
    const std::string refusal =
        "\nWARNING: Can not run 100 threads, at most 64 are supported! Test skipped.\n";
    EXPECT_EQ(consoleText(), refusal + refusal + kDiskRunsTooShort);
    EXPECT_EQ(logText(), refusal + refusal + "\nTesting disk speed (1 - 1024 KiB blocks) on path: " +
                             directory + "\n" +
                             "\nWARNING: The disk runs stay below 1000 ms! Test aborted.\n");
    EXPECT_EQ(testsRun(), "d");
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
}

}  // namespace
