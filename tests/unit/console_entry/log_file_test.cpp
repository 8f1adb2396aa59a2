// The log: its records, and what a log without a file or with a failing
// write reports.
#include "console/log_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/scratch_dir.h"
#include "support/texts.h"
#include "unit/console_entry/stream_capture.h"

namespace {

// Read in text mode, so that Windows line ends come back as "\n".
std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Leaves the global log as the program finds it: unopened, state good.
struct LogFileTest : ::testing::Test {
    ScratchDir dir;
    void TearDown() override {
        logFile.close();  // on a closed log only a failbit, cleared next
        logFile.clear();
    }
};

TEST_F(LogFileTest, RecordsFollowTheirHeaderWithAHexChecksumAndLeaveTheLogDecimal) {
    // Lower-case hexadecimal of the unsigned sum, no padding (the arithmetic:
    // record_checksum_test.cpp).
    StreamCapture log(logFile);
    writeChecksummedRecord(kMemRecordHeader, "##MEM;1;1;1;");
    logFile << 1024 << "\n";
    writeChecksummedRecord(kCpuRecordHeader, "##CPU;1;");
    writeChecksummedRecord(kSpdRecordHeader, "##SPD;1;");
    writeChecksummedRecord("", "a");
    logFile << 255 << "\n";
    EXPECT_EQ(log.text(), texts::kMemRecordHeader + std::string("##MEM;1;1;1;9fd53004\n") +
                              "1024\n" + texts::kCpuRecordHeader + "##CPU;1;e626cd7d\n" +
                              texts::kSpdRecordHeader + "##SPD;1;16c9d1e\n" + "a61\n255\n");
}

TEST_F(LogFileTest, SysRecordHasNoChecksum) {
    StreamCapture log(logFile);
    writeSysRecord("64", "VC2013_AVX");
    writeSysRecord("32", "VC2005_WIN");
    EXPECT_EQ(log.text(), "##SYS;64;VC2013_AVX\n##SYS;32;VC2005_WIN\n");
}

TEST_F(LogFileTest, WritesWithoutAFileFailAndAreLost) {
    ASSERT_FALSE(logFile.is_open());
    EXPECT_TRUE(logIsGood());
    logFile << "lost line\n";
    EXPECT_TRUE(logFile.bad());
    EXPECT_FALSE(logIsGood());
    logFile << "another\n";
    EXPECT_FALSE(logIsGood());

    // Nothing was kept in the buffer for a file opened later.
    const std::string path = dir.file("lost");
    logFile.clear();
    logFile.open(path, std::ios::out | std::ios::trunc);
    ASSERT_TRUE(logFile.is_open());
    EXPECT_TRUE(finishLog());
    EXPECT_EQ(readFile(path), "");
}

TEST_F(LogFileTest, FinishLogReportsWhetherEverythingReachedTheFile) {
    const std::string path = dir.file("finish");
    logFile.open(path, std::ios::out | std::ios::trunc);
    ASSERT_TRUE(logFile.is_open());
    writeSysRecord("32", "VC2013_NT");
    EXPECT_TRUE(finishLog());
    EXPECT_FALSE(logFile.is_open());
    EXPECT_EQ(readFile(path), "##SYS;32;VC2013_NT\n");

    // A log that went bad during the run is reported even though close works.
    logFile.clear();
    logFile.open(path, std::ios::out | std::ios::trunc);
    ASSERT_TRUE(logFile.is_open());
    logFile.setstate(std::ios::badbit);
    EXPECT_FALSE(finishLog());
}

#if defined(__linux__)
TEST_F(LogFileTest, FinishLogReportsALastWriteThatFails) {
    // Every write to /dev/full fails; the buffered text only meets it at close.
    logFile.open("/dev/full", std::ios::out | std::ios::trunc);
    ASSERT_TRUE(logFile.is_open());
    writeSysRecord("64", "VC2013_NT");
    EXPECT_TRUE(logIsGood());
    EXPECT_FALSE(finishLog());
}
#endif

}  // namespace
