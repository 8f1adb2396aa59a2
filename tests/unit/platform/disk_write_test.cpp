// The disk write on the real files layer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/timer.h"
#include "core/workloads.h"
#include "support/scratch_dir.h"

// The file's size at each commit that succeeded: this test program is linked
// with -Wl,--wrap=fdatasync,--wrap=fsync.
std::vector<off_t> committedSizes;

extern "C" int __real_fdatasync(int fd);
extern "C" int __real_fsync(int fd);

static int recordCommit(int fd, int result) {
    struct stat status {};
    if (result == 0 && fstat(fd, &status) == 0) {
        committedSizes.push_back(status.st_size);
    }
    return result;
}

extern "C" int __wrap_fdatasync(int fd) {
    return recordCommit(fd, __real_fdatasync(fd));
}

extern "C" int __wrap_fsync(int fd) {
    return recordCommit(fd, __real_fsync(fd));
}

namespace {

TEST(PosixDiskWrite, WritesCommitsAndRemovesItsFile) {
    ScratchDir dir;
    const std::string path = dir.file("test.io");
    committedSizes.clear();
    EXPECT_EQ(diskWriteWorkload(3, 4, path.c_str()), kStatusOk);
    // Every pass's block reached the disk before the next pass: three commits
    // of the whole block, not the page cache.
    EXPECT_EQ(committedSizes, std::vector<off_t>(3, 4096));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(diskWriteWorkload(0, 4, path.c_str()), kStatusOk);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(PosixDiskWrite, NoPathAndMissingDirectory) {
    ScratchDir dir;
    EXPECT_EQ(diskWriteWorkload(3, 1, nullptr), kStatusNoPath);
    const std::string missing = dir.file("missing/test.io");
    EXPECT_EQ(diskWriteWorkload(3, 1, missing.c_str()), kStatusCannotOpen);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
    // Timed, a run that can't open its file returns at once.
    WorkStatus status = kStatusOk;
    timeWorkload(diskWriteWorkload, 3, 1, missing.c_str(), &status);
    EXPECT_EQ(status, kStatusCannotOpen);
}

TEST(PosixDiskWrite, NeverWritesThroughALinkOrIntoAFifo) {
    ScratchDir dir;
    const std::string target = dir.file("precious");
    std::ofstream(target) << "keep";
    const std::string link = dir.file("test.io");
    std::filesystem::create_symlink(target, link);
    EXPECT_EQ(diskWriteWorkload(3, 1, link.c_str()), kStatusCannotOpen);
    std::ifstream in(target);
    std::ostringstream contents;
    contents << in.rdbuf();
    EXPECT_EQ(contents.str(), "keep");

    const std::string fifo = dir.file("fifo.io");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(diskWriteWorkload(3, 1, fifo.c_str()), kStatusCannotOpen);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

}  // namespace
