// The real files layer: what it opens, what it refuses, what it commits.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/console_platform.h"
#include "platform/core_platform.h"
#include "support/scratch_dir.h"
#include "unit/platform/lock_holder.h"

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

using OpenFn = std::FILE* (*)(const char*, bool*);

struct PosixFiles : testing::TestWithParam<OpenFn> {
    ScratchDir dir;
    std::string path = dir.file("test.io");
    // Every failure here is one of "can't open", never "in use".
    std::FILE* open(const char* name) {
        bool inUse = true;
        std::FILE* stream = GetParam()(name, &inUse);
        EXPECT_FALSE(inUse) << name;
        return stream;
    }
};

TEST_P(PosixFiles, CreatesOrTruncatesARegularFile) {
    for (const char* before : {"", "old contents that are longer"}) {
        if (*before != '\0') {
            writeFile(path, before);
        }
        std::FILE* stream = open(path.c_str());
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        EXPECT_EQ(std::fwrite("abc\n", 1, 4, stream), 4u);
        EXPECT_EQ(std::fclose(stream), 0);
        EXPECT_EQ(contentsOf(path), "abc\n");  // binary: the line end as written
    }
}

TEST_P(PosixFiles, RefusesWhatIsNotARegularFileWithOneName) {
    const std::string target = dir.file("target");
    const std::string link = dir.file("link");
    writeFile(target, "keep me");
    std::filesystem::create_symlink(target, link);
    const std::string dangling = dir.file("dangling");
    std::filesystem::create_symlink(dir.file("not-there"), dangling);
    const std::string otherName = dir.file("other");
    const std::string secondName = dir.file("second");
    writeFile(otherName, "keep me too");
    ASSERT_EQ(::link(otherName.c_str(), secondName.c_str()), 0);
    const std::string fifo = dir.file("fifo");  // without a reader a blocking open hangs
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string directory = dir.file("directory");
    std::filesystem::create_directory(directory);
    for (const std::string& name : {link, dangling, secondName, fifo, directory,
                                    dir.file("missing/test.io"), std::string("/dev/null")}) {
        EXPECT_EQ(open(name.c_str()), nullptr) << name;
    }
    EXPECT_EQ(contentsOf(target), "keep me");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_FALSE(std::filesystem::exists(dir.file("not-there")));
    EXPECT_EQ(contentsOf(secondName), "keep me too");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST_P(PosixFiles, FileLockedByAnotherProcessIsInUseAndKept) {
    writeFile(path, "the other run's block");
    const LockHolder holder = holdLocked(path);
    ASSERT_GT(holder.pid, 0);
    bool inUse = false;
    EXPECT_EQ(GetParam()(path.c_str(), &inUse), nullptr);
    EXPECT_TRUE(inUse);
    EXPECT_EQ(contentsOf(path), "the other run's block");
    releaseHolder(holder);

    // Once the other process is gone the file is a leftover: taken over.
    std::FILE* stream = GetParam()(path.c_str(), &inUse);
    ASSERT_NE(stream, nullptr);
    EXPECT_FALSE(inUse);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    std::fclose(stream);
}

INSTANTIATE_TEST_SUITE_P(CommittedAndProbe, PosixFiles,
                         testing::Values(platformOpenCommittedFile, platformOpenProbeFile));

TEST(PosixCloseAndRemove, RemovesTheFileFromTheDirectoryItWasMadeIn) {
    ScratchDir dir;
    const std::string path = dir.file("dest/test.io");
    std::filesystem::create_directory(dir.file("dest"));
    bool inUse = false;
    std::FILE* stream = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(platformCloseAndRemoveTestFile(stream, path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));

    // The directory renamed away meanwhile, another file at the path.
    stream = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(stream, nullptr);
    std::filesystem::rename(dir.file("dest"), dir.file("old"));
    std::filesystem::create_directory(dir.file("dest"));
    writeFile(path, "another file");
    EXPECT_TRUE(platformCloseAndRemoveTestFile(stream, path.c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("old")));
    EXPECT_EQ(contentsOf(path), "another file");

    // A file that keeps a name somewhere is reported.
    stream = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(link(path.c_str(), dir.file("kept").c_str()), 0);
    EXPECT_FALSE(platformCloseAndRemoveTestFile(stream, path.c_str()));
    EXPECT_TRUE(std::filesystem::exists(dir.file("kept")));
}

TEST(PosixCommit, FlushesTheStreamToTheFile) {
    ScratchDir dir;
    const std::string path = dir.file("test.io");
    bool inUse = false;
    std::FILE* stream = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(stream, nullptr);
    const std::string block(1024, 'z');
    ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), stream), block.size());
    EXPECT_EQ(std::filesystem::file_size(path), 0u);  // still in the stream's buffer
    EXPECT_TRUE(platformCommitFlush(stream));
    EXPECT_EQ(std::filesystem::file_size(path), 1024u);
    std::fclose(stream);
}

TEST(PosixLog, OpensTruncatedAndReportsFailure) {
    ScratchDir dir;
    const std::string path = dir.file("run.log");
    writeFile(path, "an old log\n");
    {
        std::ofstream log;
        ASSERT_TRUE(platformOpenLogFile(log, path.c_str()));
        EXPECT_TRUE(log.good());
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        log << "line\n";
    }
    EXPECT_EQ(contentsOf(path), "line\n");

    std::ofstream missing;
    EXPECT_FALSE(platformOpenLogFile(missing, dir.file("missing/run.log").c_str()));
    EXPECT_FALSE(missing.is_open());
}

TEST(PosixLog, KnowsTheLogFileByWhatItIsNotByItsName) {
    ScratchDir dir;
    const std::string path = dir.file("run.log");
    std::ofstream log;
    ASSERT_TRUE(platformOpenLogFile(log, path.c_str()));
    EXPECT_TRUE(platformIsLogFile(path.c_str()));

    // Other names of the same file.
    const std::string secondName = dir.file("second.log");
    ASSERT_EQ(link(path.c_str(), secondName.c_str()), 0);
    EXPECT_TRUE(platformIsLogFile(secondName.c_str()));
    const std::string alias = dir.file("alias");
    std::filesystem::create_directory_symlink(dir.path, alias);
    EXPECT_TRUE(platformIsLogFile((alias + "/run.log").c_str()));

    // Other files, one of them now under the log's name.
    writeFile(dir.file("test.io"), "");
    EXPECT_FALSE(platformIsLogFile(dir.file("test.io").c_str()));
    EXPECT_FALSE(platformIsLogFile(dir.file("missing").c_str()));
    const std::string moved = dir.file("moved.log");
    ASSERT_EQ(std::rename(path.c_str(), moved.c_str()), 0);
    writeFile(path, "");
    EXPECT_FALSE(platformIsLogFile(path.c_str()));
    EXPECT_TRUE(platformIsLogFile(moved.c_str()));
}

}  // namespace
