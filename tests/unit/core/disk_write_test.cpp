// The disk write with a stand-in files concern that watches every commit.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "core/workloads.h"
#include "fakes/fake_files.h"
#include "support/scratch_dir.h"

namespace {

struct DiskWrite : testing::Test {
    ScratchDir dir;
    std::string path = dir.file("test.io");
    void SetUp() override { fakeFilesReset(); }
};

TEST_F(DiskWrite, NullPathTouchesNothing) {
    EXPECT_EQ(diskWriteWorkload(5, 1, nullptr), kStatusNoPath);
    EXPECT_EQ(fakeFilesOpens(), 0);
}

TEST_F(DiskWrite, EveryPassCommitsOneBlockAndTheFileGoesAway) {
    EXPECT_EQ(diskWriteWorkload(5, 2, path.c_str()), kStatusOk);
    EXPECT_EQ(fakeFilesCommitSizes(), std::vector<std::uintmax_t>(5, 2048));
    // Written, sought back to the start, then committed.
    EXPECT_EQ(fakeFilesCommitPositions(), std::vector<long>(5, 0));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DiskWrite, ExistingLongerFileIsCutToOneBlock) {
    std::ofstream(path) << std::string(5000, 'x');
    EXPECT_EQ(diskWriteWorkload(3, 1, path.c_str()), kStatusOk);
    EXPECT_EQ(fakeFilesCommitSizes(), std::vector<std::uintmax_t>(3, 1024));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DiskWrite, CountZeroCreatesAndRemovesAnEmptyFile) {
    EXPECT_EQ(diskWriteWorkload(0, 1, path.c_str()), kStatusOk);
    EXPECT_EQ(fakeFilesOpens(), 1);
    EXPECT_TRUE(fakeFilesCommitSizes().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
#if TEMBRIX_WORD_BITS == 64
    EXPECT_EQ(diskWriteWorkload(std::numeric_limits<WorkCount>::min(), 1, path.c_str()), kStatusOk);
    EXPECT_TRUE(fakeFilesCommitSizes().empty());
#endif
}

TEST_F(DiskWrite, FailedCommitStopsThePassesAndRemovesTheFile) {
    fakeFilesFailCommitAt(2);
    EXPECT_EQ(diskWriteWorkload(10, 1, path.c_str()), kStatusWriteFailed);
    EXPECT_EQ(fakeFilesCommitSizes().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DiskWrite, FailedWriteStopsBeforeAnyCommit) {
    fakeFilesOpenReadOnly();
    EXPECT_EQ(diskWriteWorkload(10, 1, path.c_str()), kStatusWriteFailed);
    EXPECT_TRUE(fakeFilesCommitSizes().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DiskWrite, FileHeldByAnotherRunIsLeftToIt) {
    std::ofstream(path) << "the other run's block";
    fakeFilesHeldByAnotherRun();
    EXPECT_EQ(diskWriteWorkload(3, 1, path.c_str()), kStatusInUse);
    EXPECT_TRUE(fakeFilesCommitSizes().empty());
    EXPECT_EQ(std::filesystem::file_size(path), 21u) << "neither truncated nor removed";
}

TEST_F(DiskWrite, FileThatStaysIsReportedWhateverElseHappened) {
    fakeFilesRefuseRemoval();
    EXPECT_EQ(diskWriteWorkload(3, 1, path.c_str()), kStatusNotRemoved);
    EXPECT_TRUE(std::filesystem::exists(path));
    fakeFilesFailCommitAt(0);
    EXPECT_EQ(diskWriteWorkload(3, 1, path.c_str()), kStatusNotRemoved);
    EXPECT_EQ(diskWriteWorkload(1, std::numeric_limits<WorkArg>::max(), path.c_str()),
              kStatusNotRemoved);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(DiskWrite, FileThatCannotBeOpenedComesBeforeTheBuffer) {
    const std::string missing = dir.file("no-such-dir/test.io");
    // A block no buffer can hold would give -1 if the buffer came first.
    EXPECT_EQ(diskWriteWorkload(1, std::numeric_limits<WorkArg>::max(), missing.c_str()),
              kStatusCannotOpen);
    EXPECT_FALSE(std::filesystem::exists(dir.path / "no-such-dir"));
}

TEST_F(DiskWrite, BlockNoBufferCanHoldClosesAndRemovesTheFile) {
    EXPECT_EQ(diskWriteWorkload(1, std::numeric_limits<WorkArg>::max(), path.c_str()),
              kStatusNoMemory);
    EXPECT_EQ(fakeFilesOpens(), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
