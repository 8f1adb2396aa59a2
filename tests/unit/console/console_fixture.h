// The console tests' world: cout, cin and the log on string buffers, the
// counter, threads, priority and workloads stood in, the settings at their
// start values. Elapsed times are scripted in whole ms through the counter.
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

struct ConsoleTest : ::testing::Test {
    std::stringbuf console;
    std::stringbuf input;
    std::stringbuf log;
    std::streambuf* savedCout = nullptr;
    std::streambuf* savedCin = nullptr;
    std::streambuf* savedLog = nullptr;

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
        std::cin.clear();
        logFile.clear();
    }

    void TearDown() override {
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
        console.str("");
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

inline std::string hashes(std::size_t count) {
    return std::string(count, '#');
}

inline std::vector<PlatformPriorityClass> requested(
    std::initializer_list<PlatformPriorityClass> classes) {
    return classes;
}
