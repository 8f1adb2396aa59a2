// Interrupts during the disk test on Windows, each in a child process with a
// console of its own (interrupted_child.cpp), which generates Ctrl+C there.
// Under Wine that is all that can be delivered: it can't generate Ctrl+Break,
// and it has no console window to close.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/core_platform.h"
#include "support/scratch_dir.h"
#include "unit/win32/helper_process.h"

#ifndef TEMBRIX_INTERRUPTED_CHILD
#error "TEMBRIX_INTERRUPTED_CHILD names the helper program"
#endif

namespace {

// How the default handling of Ctrl+C ends a process: with STATUS_CONTROL_C_EXIT
// on Windows, with 0 under Wine (the helper itself never ends with 0).
bool endedByCtrlC(DWORD status) {
    return status == static_cast<DWORD>(STATUS_CONTROL_C_EXIT) || status == 0;
}

// Runs the helper on path with a console of its own; its exit status.
DWORD interruptedChild(const std::string& path, const char* mode) {
    return runHelper(TEMBRIX_INTERRUPTED_CHILD, "\"" + path + "\" " + mode, CREATE_NEW_CONSOLE);
}

struct Win32Interrupts : testing::Test {
    ScratchDir dir;
    std::string path = dir.file("test.io");
    void SetUp() override { std::ofstream(path) << "block"; }
};

TEST_F(Win32Interrupts, CtrlCRemovesTheFileAndEndsTheProcessAsItWould) {
    EXPECT_PRED1(endedByCtrlC, interruptedChild(path, "arm"));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Win32Interrupts, FileHeldByARunOrWithASecondNameOrForgottenIsLeft) {
    // Held as a timed run of another process holds it (delete-on-close).
    bool inUse = true;
    std::FILE* held = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(held, nullptr);
    EXPECT_PRED1(endedByCtrlC, interruptedChild(path, "arm"));
    EXPECT_TRUE(std::filesystem::exists(path));
    std::fclose(held);

    const std::string otherName = dir.file("precious.txt");
    std::ofstream(otherName) << "keep me";
    ASSERT_TRUE(CreateHardLinkA(path.c_str(), otherName.c_str(), nullptr));
    EXPECT_PRED1(endedByCtrlC, interruptedChild(path, "arm"));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::remove(otherName));

    EXPECT_PRED1(endedByCtrlC, interruptedChild(path, "forget"));
    EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
