// The disk test: the directory prompt and its probe, the eleven block sizes,
// the ends on failed runs. Files and console input are the real ones.
#include <filesystem>
#include <string>
#include <vector>

#include "console/measurements/disk_speed.h"
#include "support/scratch_dir.h"
#include "unit/console/console_fixture.h"

namespace {

using namespace texts;
const std::string kPrompt = kDiskPrompt;
const std::string kHeading = kDiskHeading;
#if defined(_WIN32)
const char* const kTestFileName = "\\test.io";
#else
const char* const kTestFileName = "/test.io";
#endif
const char* const kMissingDirectory = "/nonexistent-tembrix-directory";

std::string logBlock(int block, const std::string& rate, const std::string& speed) {
    return "  Speed @ " + std::to_string(block) + " KiB: " + rate + " K-OPS / " + speed +
           " MiB per second.             \n";
}

std::string consoleBlock(int block, std::size_t runs, const std::string& rate,
                         const std::string& speed) {
    return fill(kBlockLine, block) + hashes(runs) + "\r" + logBlock(block, rate, speed);
}

struct DiskTest : ConsoleTest {
    ScratchDir scratch;
    std::string directory = scratch.path.string();

    std::string testFile() const { return directory + kTestFileName; }

    // The blocks 1 to 16 with the rates 0.5, 0.1, 1, 6.25 and 81.0373, then
    // ten writes in 1000 ms for every larger block.
    static void scriptBlocks() {
        calibrationEndingAt(3, 2000);
        calibrationEndingAt(2, 1000);
        calibrationEndingAt(3, 1000);
        calibrationEndingAt(4, 1600);
        calibrationEndingAt(5, 1234);
        times(std::vector<double>(6, 1000));
    }
    // Their eleven lines, as on the console or in the log.
    static std::string blockLines(bool console = true) {
        const auto line = [console](int block, std::size_t runs, const char* rate,
                                    const char* speed) {
            return console ? consoleBlock(block, runs, rate, speed) : logBlock(block, rate, speed);
        };
        return line(1, 3, "0.5", "0.5") + line(2, 2, "0.1", "0.2") + line(4, 3, "1", "4") +
               line(8, 4, "6.25", "50") + line(16, 5, "81.0373", "1296.6") +
               line(32, 1, "0.01", "0.32") + line(64, 1, "0.01", "0.64") +
               line(128, 1, "0.01", "1.28") + line(256, 1, "0.01", "2.56") +
               line(512, 1, "0.01", "5.12") + line(1024, 1, "0.01", "10.24");
    }
    std::string directoryOf63() {
        const std::string base = directory + "/";
        const std::string name = base + std::string(63 - base.size(), 'd');
        std::filesystem::create_directory(name);
        return name;
    }
};

TEST_F(DiskTest, DirectoryFromTheCommandLineMeasuresElevenBlocksAtHighPriority) {
    destinationPath = directory.c_str();
    scriptBlocks();
    diskTest();
    EXPECT_EQ(consoleText(), kHeading + blockLines());
    EXPECT_EQ(logText(), fill(kLogDiskHeading, directory) + blockLines(false));
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
    EXPECT_EQ(fakeCounterRemaining(), 0u);
    EXPECT_EQ(fakeThreadsStarted(), 0);
    std::vector<WorkCount> block16;
    for (const FakeWorkloadCall& call : fakeWorkloadCalls()) {
        EXPECT_EQ(call.workload, kFakeDiskWrite);
        EXPECT_EQ(call.path, testFile());
        if (call.arg == 16) {
            block16.push_back(call.count);
        }
    }
    EXPECT_EQ(block16, (std::vector<WorkCount>{10, 100, 1000, 10000, 100000}));
    EXPECT_FALSE(std::filesystem::exists(testFile())) << "no probe for a given directory";

    // A refused high priority is reported once, and the test goes on.
    restart();
    fakePriorityRefuse(kPriorityClassHigh);
    destinationPath = directory.c_str();
    scriptBlocks();
    diskTest();
    EXPECT_EQ(consoleText(), kHighRefused + kHeading + blockLines());
    EXPECT_EQ(logText(), kHighRefused + fill(kLogDiskHeading, directory) + blockLines(false));
    EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
}

TEST_F(DiskTest, EmptyAnswerOrEndOfInputEndsTheTestSilently) {
    for (const char* answer : {"\n", ""}) {
        restart();
        typeInput(answer);
        diskTest();
        EXPECT_EQ(consoleText(), kPrompt);
        EXPECT_EQ(logText(), "");
        EXPECT_EQ(destinationPath, nullptr);
        EXPECT_TRUE(fakeWorkloadCalls().empty());
        EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
    }
    // The next disk test asks again.
    diskTest();
    EXPECT_EQ(consoleText(), kPrompt + kPrompt);
}

TEST_F(DiskTest, InvalidDirectoryAsksAgain) {
    typeInput(std::string(kMissingDirectory) + "\n" + kMissingDirectory + "\n\n");
    diskTest();
    EXPECT_EQ(consoleText(), kPrompt + kPathInvalid + kPrompt + kPathInvalid + kPrompt);
    EXPECT_EQ(destinationPath, nullptr);
    EXPECT_TRUE(fakeWorkloadCalls().empty());
}

TEST_F(DiskTest, TypedDirectoryIsProbedKeptAndNotAskedForAgain) {
    typeInput(directory + "\nleft for the menu\n");
    diskTest();
    ASSERT_NE(destinationPath, nullptr);
    EXPECT_EQ(std::string(destinationPath), directory);
    // The probe's empty file stays; the real disk workload removes it.
    EXPECT_TRUE(std::filesystem::is_regular_file(testFile()));
    EXPECT_EQ(std::filesystem::file_size(testFile()), 0u);
    EXPECT_EQ(consoleText(), kPrompt + kHeading + fill(kBlockLine, 1) +
                                 hashes(kZeroMsDiskRuns) + kDiskRunsTooShort);
    EXPECT_EQ(logText(), fill(kLogDiskHeading, directory) + kDiskRunsTooShort);
    EXPECT_EQ(fakeWorkloadCalls().front().path, testFile());
    EXPECT_EQ(std::cin.peek(), 'l');

    console.empty();
    scriptBlocks();
    diskTest();
    EXPECT_EQ(consoleText(), kHeading + blockLines());
    EXPECT_EQ(std::string(destinationPath), directory);
}

TEST_F(DiskTest, TypedLineIsTheDirectoryWhateverItsLength) {
    // 63 characters, and 100 whose first 63 name a directory too.
    const std::string prefix = directoryOf63();
    for (const std::string& typed : {prefix, prefix + "/" + std::string(99 - prefix.size(), 'e')}) {
        restart();
        std::filesystem::create_directory(typed);
        typeInput(typed + "\nnext\n");
        diskTest();
        ASSERT_NE(destinationPath, nullptr);
        EXPECT_EQ(std::string(destinationPath), typed);
        EXPECT_EQ(logText(), fill(kLogDiskHeading, typed) + kDiskRunsTooShort);
        EXPECT_EQ(fakeWorkloadCalls().front().path, typed + kTestFileName);
        EXPECT_TRUE(std::filesystem::exists(typed + kTestFileName)) << "probed there";
        EXPECT_FALSE(std::cin.fail());
        EXPECT_EQ(std::cin.peek(), 'n');
    }
    // Too long a name for any directory: invalid, and the next line is read.
    restart();
    typeInput(std::string(kMissingDirectory) + std::string(300, 'x') + "\n\n");
    diskTest();
    EXPECT_EQ(consoleText(), kPrompt + kPathInvalid + kPrompt);
    EXPECT_EQ(destinationPath, nullptr);
}

TEST_F(DiskTest, FailedRunEndsTheTestAtOnce) {
    struct Case {
        WorkStatus status;
        std::string warning;
    };
    const Case cases[] = {
        {kStatusCannotOpen, fill(kCannotCreate, testFile())},
        {kStatusWriteFailed, fill(kWriteFailed, testFile())},
        {kStatusNoMemory, fill(kNoMemory, 4)},
        {kStatusInUse, fill(kInUse, testFile())},
        {kStatusNotRemoved, fill(kNotRemoved, testFile())},
    };
    for (const Case& c : cases) {
        restart();
        destinationPath = directory.c_str();
        fakeWorkloadsScript(kFakeDiskWrite, {kStatusOk, kStatusOk, c.status});
        times({1000, 1000, 5000});
        diskTest();
        EXPECT_EQ(consoleText(), kHeading + consoleBlock(1, 1, "0.01", "0.01") +
                                     consoleBlock(2, 1, "0.01", "0.02") +
                                     fill(kBlockLine, 4) + "#" + c.warning);
        EXPECT_EQ(logText(), fill(kLogDiskHeading, directory) + logBlock(1, "0.01", "0.01") +
                                 logBlock(2, "0.01", "0.02") + c.warning);
        EXPECT_EQ(fakeWorkloadCalls().size(), 3u);
        EXPECT_EQ(fakePriorityRequests(), requested({kPriorityClassHigh}));
    }
}

}  // namespace
