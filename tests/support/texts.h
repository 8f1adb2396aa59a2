// The program's fixed texts, byte for byte as it must write them: the one home
// of what the unit tests and the end-to-end tests compare with (harness.py
// reads the literals below). "%s" stands for the one value a text takes.
#pragma once

#include <string>

namespace texts {

const char* const kMenu =
    "\nMENU - Available options\n"
    "  c - Test CPU speed \n"
    "  m - Test memory speed\n"
    "  d - Test disk speed\n"
    "  a - Perform all tests\n"
    "\n"
    "  Anything else - Exit\n\n"
    "Your choice: ";
const char* const kBye = "\n\nBye.\n";
const char* const kDiskPrompt =
    "\nDisk-Spped-Test \n"
    "Please enter a valid path for testing: (eg: C:, B: - empty aborts)\n";
const char* const kPathInvalid = "\nThis path is invalid. (Or we do not have write permissions!)\n";
const char* const kRealtimeRefused = "WARNING: Can not go realtime! Trying high priority.\n";
const char* const kHighRefused =
    "WARNING: Can not set process to high priority! Results will be inaccurate.\n";
const char* const kTooFast = "\nSeems your machine is too fast to measure using this tool.\n";
const char* const kCalibratingCpu = "\nCalibrating CPU Test...\n";
const char* const kCpuHeading = "\nTesting CPU...\n";
const char* const kMemoryHeading = "\nTesting memory speed (1 - 1024 KiB blocks)...\n";
const char* const kDiskHeading = "\nTesting disk speed (1 - 1024 KiB blocks)...\n";
const char* const kLogDiskHeading = "\nTesting disk speed (1 - 1024 KiB blocks) on path: %s\n";
const char* const kBlockLine = "  Testing with block size = %s KiBytes... ";
const char* const kCpuRecordHeader =
    "\nMachine readable results: \"CPU\";THREADS;IOPS;FLOPS;BSOPS;MATH-OPS;CHECKSUM\n";
const char* const kSpdRecordHeader =
    "\nMachine readable results: \"SPD\";THREADS;11x{MiB/s;1-1024K};CHECKSUM\n";
const char* const kMemRecordHeader =
    "\nMachine readable results: \"MEM\";THREADS;MCPYBLCK;MCPYSPD;CHECKSUM\n";
const char* const kTooManyThreads =
    "\nWARNING: Can not run %s threads, at most 64 are supported! Test skipped.\n";
const char* const kNotStarted = "\nWARNING: Can not start %s worker threads! Test aborted.\n";
const char* const kWaitFailed =
    "\nWARNING: Waiting for the worker threads failed! Test aborted.\n";
const char* const kNoMemory =
    "\nWARNING: Can not allocate memory for %s KiB blocks! Test aborted.\n";
const char* const kDiskRunsTooShort =
    "\nWARNING: The disk runs stay below 1000 ms! Test aborted.\n";
const char* const kCannotCreate = "\nWARNING: Can not create the test file %s! Test aborted.\n";
const char* const kWriteFailed = "\nWARNING: Writing the test file %s failed! Test aborted.\n";
const char* const kInUse = "\nWARNING: The test file %s is in use by another run! Test aborted.\n";
const char* const kNotRemoved = "\nWARNING: The test file %s could not be removed! Test aborted.\n";
const char* const kIsLogFile = "\nWARNING: The test file %s is the log file! Test aborted.\n";

// The text with its "%s" replaced by value.
inline std::string fill(const char* text, const std::string& value) {
    std::string filled = text;
    return filled.replace(filled.find("%s"), 2, value);
}
inline std::string fill(const char* text, unsigned long long value) {
    return fill(text, std::to_string(value));
}

}  // namespace texts
