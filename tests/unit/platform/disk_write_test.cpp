// The disk write on the real files layer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/timer.h"
#include "core/workloads.h"
#include "support/scratch_dir.h"

namespace {

TEST(PosixDiskWrite, WritesCommitsAndRemovesItsFile) {
    ScratchDir dir;
    const std::string path = dir.file("test.io");
    EXPECT_EQ(diskWriteWorkload(3, 4, path.c_str()), kStatusOk);
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
