// The Win32 file opens and the console input discard, on real files (under Wine).
#include <windows.h>

#include <io.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/console_platform.h"
#include "platform/core_platform.h"
#include "support/scratch_dir.h"
#include "unit/win32/helper_process.h"

#ifndef TEMBRIX_LOG_SHARE_READER
#error "TEMBRIX_LOG_SHARE_READER names the helper program"
#endif

namespace {

// Shared for everything: the disk test holds its file with DELETE access.
std::string readBytes(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<cannot read " + path + ">";
    }
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios_base::out | std::ios_base::binary | std::ios_base::trunc);
    out << bytes;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Both opens of a test file refuse path, as in use or not.
void expectBothOpensRefuse(const std::string& path, bool asInUse) {
    for (auto open : {platformOpenCommittedFile, platformOpenProbeFile}) {
        bool inUse = !asInUse;
        EXPECT_EQ(open(path.c_str(), &inUse), nullptr) << path;
        EXPECT_EQ(inUse, asInUse) << path;
    }
}

DWORD runShareReader(const std::string& path, const std::string& copyPath) {
    return runHelper(TEMBRIX_LOG_SHARE_READER, "\"" + path + "\" \"" + copyPath + "\"");
}

TEST(Win32Files, CommittedFileIsBinaryTruncatedAndFlushes) {
    const ScratchDir dir;
    const std::string path = dir.file("test.io");
    writeBytes(path, std::string(5000, 'o'));

    bool inUse = true;
    std::FILE* file = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(file, nullptr);
    // A leftover is taken over: truncated on open.
    EXPECT_EQ(readBytes(path), "");
    const std::string data = "a\nb\r\n\x1a" "c";
    ASSERT_EQ(std::fwrite(data.data(), 1, data.size(), file), data.size());
    ASSERT_EQ(std::fseek(file, 0, SEEK_SET), 0);
    EXPECT_TRUE(platformCommitFlush(file));
    // Written out by the flush, before the close, and without line-end translation.
    EXPECT_EQ(readBytes(path), data);
    EXPECT_FALSE(inUse);
    // The stream's commit flag (msvcrt's _IOCOMMIT, from the mode's "c"): every
    // fflush also commits the file to the disk.
    EXPECT_NE(file->_flag & 0x4000, 0);
    // Opened delete-on-close: it goes with its last handle.
    std::fclose(file);
    EXPECT_FALSE(exists(path));
}

TEST(Win32Files, ASecondWriterIsRefusedAsInUse) {
    const ScratchDir dir;
    const std::string path = dir.file("test.io");
    bool inUse = true;
    std::FILE* held = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(held, nullptr);
    ASSERT_EQ(std::fwrite("held", 1, 4, held), 4u);
    ASSERT_TRUE(platformCommitFlush(held));
    expectBothOpensRefuse(path, true);
    EXPECT_EQ(readBytes(path), "held") << "not truncated";
    EXPECT_TRUE(platformCloseAndRemoveTestFile(held, path.c_str()));
    EXPECT_FALSE(exists(path));
}

TEST(Win32Files, ProbeCreatesAnEmptyFileOrTruncates) {
    const ScratchDir dir;
    const std::string path = dir.file("test.io");
    for (const char* before : {"", "old contents"}) {
        if (*before != '\0') {
            writeBytes(path, before);
        }
        bool inUse = true;
        std::FILE* probe = platformOpenProbeFile(path.c_str(), &inUse);
        ASSERT_NE(probe, nullptr);
        std::fclose(probe);
        ASSERT_TRUE(exists(path));
        EXPECT_EQ(readBytes(path), "");
    }
}

TEST(Win32Files, AFileWithASecondNameIsRefusedAndKept) {
    const ScratchDir dir;
    const std::string path = dir.file("test.io");
    const std::string otherName = dir.file("precious.txt");
    writeBytes(otherName, "keep me");
    ASSERT_TRUE(CreateHardLinkA(path.c_str(), otherName.c_str(), nullptr));
    expectBothOpensRefuse(path, false);
    EXPECT_EQ(readBytes(otherName), "keep me");
    EXPECT_EQ(readBytes(path), "keep me");
}

TEST(Win32Files, AFileLeftInADirectoryRenamedMeanwhileIsReported) {
    // Wine lets the directory go while the file is open, and then removes the
    // file by its old name only.
    const ScratchDir dir;
    const std::string directory = dir.file("renamed");
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    const std::string path = directory + "\\test.io";
    bool inUse = true;
    std::FILE* file = platformOpenCommittedFile(path.c_str(), &inUse);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(MoveFileA(directory.c_str(), dir.file("old").c_str()));
    EXPECT_FALSE(platformCloseAndRemoveTestFile(file, path.c_str()));
}

TEST(Win32Files, OpensFailInAMissingDirectory) {
    const ScratchDir dir;
    const std::string path = dir.file("no such dir\\test.io");
    expectBothOpensRefuse(path, false);
    std::ofstream log;
    EXPECT_FALSE(platformOpenLogFile(log, path.c_str()));
    EXPECT_FALSE(log.is_open());
}

TEST(Win32Log, TextModeTruncatesAndEndsLinesInCrLf) {
    const ScratchDir dir;
    const std::string path = dir.file("run.log");
    writeBytes(path, "an older, longer log that must not survive\r\n");
    {
        std::ofstream log;
        ASSERT_TRUE(platformOpenLogFile(log, path.c_str()));
        log << "##SYS;64;VC2013_NT\n" << "\nsecond\n";
    }
    EXPECT_EQ(readBytes(path), "##SYS;64;VC2013_NT\r\n\r\nsecond\r\n");
}

TEST(Win32Log, AnotherProcessCanReadAndWriteTheLogWhileItIsHeld) {
    const ScratchDir dir;
    const std::string path = dir.file("held.log");
    const std::string copyPath = dir.file("copy.bin");
    std::ofstream log;
    ASSERT_TRUE(platformOpenLogFile(log, path.c_str()));
    log << "line one\nline two\n";
    log.flush();

    EXPECT_EQ(runShareReader(path, copyPath), 0u);
    EXPECT_EQ(readBytes(copyPath), "line one\r\nline two\r\n");

    // The control: a file held without sharing refuses the same reader.
    log.close();
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(runShareReader(path, copyPath), 2u);
    CloseHandle(exclusive);
}

TEST(Win32Log, KnowsTheLogFileByItsIdNotByItsName) {
    const ScratchDir dir;
    const std::string path = dir.file("run.log");
    const std::string secondName = dir.file("second.log");
    const std::string otherFile = dir.file("test.io");
    std::ofstream log;
    ASSERT_TRUE(platformOpenLogFile(log, path.c_str()));
    EXPECT_TRUE(platformIsLogFile(path.c_str()));
    EXPECT_TRUE(platformIsLogFile(dir.file(".\\RUN.LOG").c_str()));
    ASSERT_TRUE(CreateHardLinkA(secondName.c_str(), path.c_str(), nullptr));
    EXPECT_TRUE(platformIsLogFile(secondName.c_str()));
    writeBytes(otherFile, "");
    EXPECT_FALSE(platformIsLogFile(otherFile.c_str()));
    EXPECT_FALSE(platformIsLogFile(dir.file("missing").c_str()));
}

TEST(Win32ConsoleInput, InputFromAFileIsLeftAlone) {
    const ScratchDir dir;
    const std::string path = dir.file("answers.txt");
    writeBytes(path, "c\nm\nq\n");
    ASSERT_NE(std::freopen(path.c_str(), "r", stdin), nullptr);
    // The layer asks the system's standard input handle what it is.
    SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdin))));
    // The first read fills stdin's buffer with the whole file.
    ASSERT_EQ(std::getchar(), 'c');
    platformDiscardTypedAhead();
    std::string rest;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        rest += static_cast<char>(c);
    }
    EXPECT_EQ(rest, "\nm\nq\n");
    std::fclose(stdin);
}

}  // namespace
