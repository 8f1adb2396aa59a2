// The warnings that end a test early.
#include "console/measurements/warnings.h"

#include <iostream>
#include <sstream>

#include "console/console_output.h"
#include "core/thread_runner.h"

bool refuseThreadCount(ThreadCount threadCount) {
    if (threadCount <= kMaxWorkerThreads) {
        return false;
    }
    std::ostringstream text;
    text << "\nWARNING: Can not run " << threadCount << " threads, at most " << kMaxWorkerThreads
         << " are supported! Test skipped.\n";
    writeConsoleAndLog(text.str());
    return true;
}

void reportTooFast() {
    std::cout << "\nSeems your machine is too fast to measure using this tool.\n";
}

void reportRunnerFailure(WorkStatus status, ThreadCount threadCount) {
    std::ostringstream text;
    if (status == kStatusWaitFailed) {
        text << "\nWARNING: Waiting for the worker threads failed! Test aborted.\n";
    } else {
        text << "\nWARNING: Can not start " << threadCount << " worker threads! Test aborted.\n";
    }
    writeConsoleAndLog(text.str());
}

void reportNoMemory(BlockKiB blockKiB) {
    std::ostringstream text;
    text << "\nWARNING: Can not allocate memory for " << blockKiB << " KiB blocks! Test aborted.\n";
    writeConsoleAndLog(text.str());
}
