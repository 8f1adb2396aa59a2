// The log: its header lines, its records and checksums, and what a log
// without a file or with a failing write reports.
#include "console/log_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "unit/console_entry/stream_capture.h"

namespace {

// Unique per run: the flavors' test programs run side by side.
std::string tempPath(const char* name) {
    static const std::string run =
        std::to_string(std::random_device{}()) + "_" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    return ::testing::TempDir() + "tembrix_log_file_test_" + run + "_" + name;
}

// Read in text mode, so that Windows line ends come back as "\n".
std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Leaves the global log as the program finds it: unopened, state good.
struct LogFileTest : ::testing::Test {
    void TearDown() override {
        if (logFile.is_open()) {
            logFile.close();
        }
        logFile.clear();
    }
};

TEST_F(LogFileTest, HeaderLinesNameTheFields) {
    EXPECT_STREQ(kCpuRecordHeader,
                 "\nMachine readable results: \"CPU\";THREADS;IOPS;FLOPS;BSOPS;MATH-OPS;CHECKSUM\n");
    EXPECT_STREQ(kSpdRecordHeader,
                 "\nMachine readable results: \"SPD\";THREADS;11x{MiB/s;1-1024K};CHECKSUM\n");
    EXPECT_STREQ(kMemRecordHeader,
                 "\nMachine readable results: \"MEM\";THREADS;MCPYBLCK;MCPYSPD;CHECKSUM\n");
}

TEST_F(LogFileTest, ChecksummedRecordsAreWrittenWholeAndLeaveTheLogDecimal) {
    StreamCapture log(logFile);
    writeChecksummedRecord(kMemRecordHeader, "##MEM;2;64;9846;");
    logFile << 1024 << "\n";
    writeChecksummedRecord(kCpuRecordHeader, "##CPU;1;1250000000;980000000;1430000000;45000000;");
    writeChecksummedRecord(kSpdRecordHeader,
                           "##SPD;1;2500;4166.67;6666.67;8888.89;9411.76;9696.97;9846.15;9846.15;"
                           "8533.33;7314.29;5120;");
    writeChecksummedRecord("", "abc");
    logFile << 255 << "\n";
    EXPECT_EQ(log.text(),
              std::string(kMemRecordHeader) + "##MEM;2;64;9846;ec67c6ac\n" + "1024\n" +
                  kCpuRecordHeader + "##CPU;1;1250000000;980000000;1430000000;45000000;36ffccb\n" +
                  kSpdRecordHeader +
                  "##SPD;1;2500;4166.67;6666.67;8888.89;9411.76;9696.97;9846.15;9846.15;"
                  "8533.33;7314.29;5120;e968af1\n" +
                  "abc17862\n" + "255\n");
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
    const std::string path = tempPath("lost");
    logFile.clear();
    logFile.open(path, std::ios::out | std::ios::trunc);
    ASSERT_TRUE(logFile.is_open());
    EXPECT_TRUE(finishLog());
    EXPECT_EQ(readFile(path), "");
    std::remove(path.c_str());
}

TEST_F(LogFileTest, FinishLogReportsWhetherEverythingReachedTheFile) {
    const std::string path = tempPath("finish");
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
    std::remove(path.c_str());
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
