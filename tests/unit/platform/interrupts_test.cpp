// Interrupts during the disk test, each in a child process of its own: what
// the signal removes and how the process then ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/console_platform.h"
#include "support/scratch_dir.h"
#include "unit/platform/lock_holder.h"

namespace {

enum Setup { kRemoveOnInterrupt, kIgnoredFirst, kForgottenAgain };

// Runs a child that sets up as asked and raises signalNumber; its wait status.
int interruptedChild(const std::string& path, Setup setup, int signalNumber) {
    const pid_t child = fork();
    if (child == 0) {
        if (setup == kIgnoredFirst) {
            signal(signalNumber, SIG_IGN);
        }
        platformRemoveTestFileOnInterrupt("/a/path/replaced/by/the/next/call");
        platformRemoveTestFileOnInterrupt(path.c_str());
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

TEST_F(Interrupts, EachSignalRemovesTheFileAndEndsTheProcessAsItWould) {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        std::ofstream(path) << "block";
        EXPECT_TRUE(endedBy(interruptedChild(path, kRemoveOnInterrupt, signalNumber),
                            signalNumber));
        EXPECT_FALSE(std::filesystem::exists(path)) << signalNumber;
    }
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
    EXPECT_TRUE(endedBy(interruptedChild(path, kForgottenAgain, SIGINT), SIGINT));
    EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
