// Signals during the disk test, each in a child process of its own that probes
// path as the disk test does: what the signal removes and how the process then
// ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/console_platform.h"
#include "support/scratch_dir.h"
#include "unit/platform/lock_holder.h"

namespace {

enum Setup { kRemoveOnInterrupt, kIgnoredFirst, kForgottenAgain, kDirectoryRenamed };

// Runs a child that sets up as asked and raises signalNumber; its wait status.
int interruptedChild(const std::string& path, Setup setup, int signalNumber) {
    const pid_t child = fork();
    if (child == 0) {
        if (setup == kIgnoredFirst) {
            signal(signalNumber, SIG_IGN);
        }
        platformRemoveTestFileOnInterrupt("/a/path/replaced/by/the/next/call");
        platformRemoveTestFileOnInterrupt(path.c_str());
        bool inUse = false;
        if (std::FILE* probe = platformOpenProbeFile(path.c_str(), &inUse)) {
            std::fclose(probe);
        }
        if (setup == kDirectoryRenamed) {
            const std::filesystem::path directory = std::filesystem::path(path).parent_path();
            std::filesystem::rename(directory, directory.string() + ".old");
            std::filesystem::create_directory(directory);
        }
        if (setup == kForgottenAgain) {
            platformForgetTestFileOnInterrupt();
        }
        raise(signalNumber);
        _exit(7);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

bool endedBy(int status, int signalNumber) {
    return WIFSIGNALED(status) && WTERMSIG(status) == signalNumber;
}

struct Interrupts : testing::Test {
    ScratchDir dir;
    std::string path = dir.file("test.io");
    void SetUp() override { std::ofstream(path) << "block"; }
};

TEST_F(Interrupts, EachSignalThatEndsTheProcessRemovesTheFileAndEndsItAsItWould) {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
                             SIGPOLL, SIGVTALRM, SIGPROF, SIGXCPU, SIGPWR, SIGRTMIN, SIGRTMAX}) {
        std::ofstream(path) << "block";
        EXPECT_TRUE(endedBy(interruptedChild(path, kRemoveOnInterrupt, signalNumber),
                            signalNumber));
        EXPECT_FALSE(std::filesystem::exists(path)) << signalNumber;
    }
}

TEST_F(Interrupts, TheFileGoesFromTheDirectoryItWasMadeInAfterARename) {
    std::filesystem::create_directory(dir.file("dest"));
    EXPECT_TRUE(endedBy(interruptedChild(dir.file("dest/test.io"), kDirectoryRenamed, SIGTERM),
                        SIGTERM));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("dest.old")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("dest")));
}

TEST_F(Interrupts, FileAnotherProcessHoldsIsLeftToIt) {
    const LockHolder holder = holdLocked(path);
    ASSERT_GT(holder.pid, 0);
    EXPECT_TRUE(endedBy(interruptedChild(path, kRemoveOnInterrupt, SIGINT), SIGINT));
    releaseHolder(holder);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(Interrupts, LinksAreNotRemoved) {
    const std::string target = dir.file("target");
    std::filesystem::rename(path, target);
    std::filesystem::create_symlink(target, path);
    EXPECT_TRUE(endedBy(interruptedChild(path, kRemoveOnInterrupt, SIGTERM), SIGTERM));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    std::filesystem::remove(path);
    std::filesystem::create_hard_link(target, path);
    EXPECT_TRUE(endedBy(interruptedChild(path, kRemoveOnInterrupt, SIGTERM), SIGTERM));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(Interrupts, IgnoredSignalStaysIgnoredAndForgottenOneActsAsBefore) {
    const int ignored = interruptedChild(path, kIgnoredFirst, SIGHUP);
    EXPECT_TRUE(WIFEXITED(ignored) && WEXITSTATUS(ignored) == 7) << ignored;
    EXPECT_TRUE(std::filesystem::exists(path));
    // A file-size limit makes a write fail instead of ending the process.
    const int fileSize = interruptedChild(path, kRemoveOnInterrupt, SIGXFSZ);
    EXPECT_TRUE(WIFEXITED(fileSize) && WEXITSTATUS(fileSize) == 7) << fileSize;
    EXPECT_TRUE(endedBy(interruptedChild(path, kForgottenAgain, SIGINT), SIGINT));
    EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
