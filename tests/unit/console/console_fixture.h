// The console tests' world: cout, cin and the log on string buffers, the
// counter, threads, priority and workloads stood in, the settings at their
// start values. Elapsed times are scripted in whole ms through the counter.
// Every test also checks that no console output was held back during a
// timed run (a terminal shows it only once it is flushed).
#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "console/log_file.h"
#include "console/settings.h"
#include "fakes/fake_counter.h"
#include "fakes/fake_priority.h"
#include "fakes/fake_threads.h"
#include "fakes/fake_workloads.h"
#include "support/texts.h"

// A console buffer that knows what was written since it was last flushed.
struct HeldConsole : std::stringbuf {
    std::ptrdiff_t shown = 0;
    int sync() override {
        shown = pptr() - pbase();
        return 0;
    }
    bool holding() const { return pptr() - pbase() > shown; }
    void empty() {
        str("");
        shown = 0;
    }
};

struct ConsoleTest : ::testing::Test {
    HeldConsole console;
    std::stringbuf input;
    std::stringbuf log;
    std::streambuf* savedCout = nullptr;
    std::streambuf* savedCin = nullptr;
    std::streambuf* savedLog = nullptr;
    std::ostream* savedTie = nullptr;

    void SetUp() override {
        fakeCounterReset(1000000);
        fakeThreadsReset();
        fakePriorityReset();
        fakeWorkloadsReset();
        cycleCount = 5;
        destinationPath = nullptr;
        savedCout = std::cout.rdbuf(&console);
        savedCin = std::cin.rdbuf(&input);
        savedLog = logFile.std::ios::rdbuf(&log);
        savedTie = std::clog.tie(&std::cout);  // as the program ties them
        std::cin.clear();
        logFile.clear();
        fakeWorkloadsWatchConsole([this] { return console.holding(); });
    }

    void TearDown() override {
        // Only the CPU calibration's heading may wait: its first "#" takes it out.
        for (const FakeWorkloadCall& call : fakeWorkloadCalls()) {
            const bool firstCalibrationRun = call.workload == kFakeCalibration && call.count == 10;
            EXPECT_TRUE(!call.consolePending || firstCalibrationRun)
                << "console output held during a run of workload " << call.workload << ", count "
                << call.count;
        }
        std::clog.tie(savedTie);
        std::cout.rdbuf(savedCout);
        std::cin.rdbuf(savedCin);
        logFile.std::ios::rdbuf(savedLog);
        std::cin.clear();
        logFile.clear();
        cycleCount = 5;
        destinationPath = nullptr;
    }

    // A fresh world for the next case of a grouped test.
    void restart() {
        TearDown();
        console.empty();
        input.str("");
        log.str("");
        SetUp();
    }

    // As in an interactive run: the log writes nothing and takes no record.
    void withoutLog() { logFile.setstate(std::ios::badbit); }
    void typeInput(const std::string& text) { input.str(text); }
    std::string consoleText() const { return console.str(); }
    std::string logText() const { return log.str(); }

    // The next timed runs last these many ms, in order; unscripted runs last 0.
    static void times(const std::vector<double>& ms) { fakeCounterAppendMs(ms); }
    // A calibration whose runs take 0 ms until the one with 10^exponent.
    static void calibrationEndingAt(int exponent, double ms) {
        times(std::vector<double>(static_cast<std::size_t>(exponent - 1), 0.0));
        times({ms});
    }
};

// Runs of a calibration whose runs all last 0 ms, up to where its count leaves
// the word: 10^19 leaves int64; in x86 builds the CPU and memory count, unsigned,
// wraps to 0 at 10^32, the disk count, signed, leaves int32 at 10^10.
#if TEMBRIX_WORD_BITS == 64
const std::size_t kZeroMsRuns = 18, kZeroMsDiskRuns = 18;
#else
const std::size_t kZeroMsRuns = 31, kZeroMsDiskRuns = 9;
#endif

inline std::string hashes(std::size_t count) {
    return std::string(count, '#');
}

inline std::vector<PlatformPriorityClass> requested(
    std::initializer_list<PlatformPriorityClass> classes) {
    return classes;
}
