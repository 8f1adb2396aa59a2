// The disk write commits every pass to the disk, on the real files layer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

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

TEST(PosixDiskWrite, CommitsEveryPassAndRemovesItsFile) {
    ScratchDir dir;
    const std::string path = dir.file("test.io");
    committedSizes.clear();
    EXPECT_EQ(diskWriteWorkload(3, 4, path.c_str()), kStatusOk);
    // Every pass's block reached the disk before the next pass: three commits
    // of the whole block, not the page cache.
    EXPECT_EQ(committedSizes, std::vector<off_t>(3, 4096));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
