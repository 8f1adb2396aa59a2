// The disk test. Every timed run's status is looked at: a run that could not
// create or write its file, or got no memory, and a calibration whose count
// would leave the word before a run lasts 1000 ms, end the test at once with a
// warning (the priority stays High, as on every end of this test). So does a
// test file that is the open log file, before any run could truncate it.
#include "console/measurements/disk_speed.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "console/console_output.h"
#include "console/log_file.h"
#include "console/measurements/calibration.h"
#include "console/measurements/priority_steps.h"
#include "console/measurements/warnings.h"
#include "console/number_format.h"
#include "console/settings.h"
#include "core/workloads.h"
#include "platform/platform.h"

namespace {

constexpr BlockKiB kLargestBlockKiB = 1024;

// The prompt's line read stores at most this many characters.
constexpr std::streamsize kPromptReadCount = 64;

// Any failed write means the data never reached the disk: the run counts not.
bool diskRunFailed(WorkStatus status) {
    return status != kStatusOk;
}

// Asks until a directory takes the probe file or the answer is empty. The
// accepted text is kept for the rest of the process.
bool promptForDestination() {
    static std::string acceptedDirectory;
    for (;;) {
        std::cout << "\nDisk-Spped-Test \n"
                  << "Please enter a valid path for testing: (eg: C:, B: - empty aborts)\n";
        platformDiscardTypedAhead();
        // Never cleared: a line too long leaves cin failed for the next read.
        char buffer[kPromptReadCount + 1] = {};
        std::cin.getline(buffer, kPromptReadCount);
        const std::string typed(buffer);
        if (typed.empty()) {
            return false;
        }
        const std::string probePath = typed + platformTestFileSuffix();
        std::FILE* probe = platformOpenProbeFile(probePath.c_str());
        if (probe == nullptr) {
            std::cout << "\nThis path is invalid. (Or we do not have write permissions!)\n";
            continue;
        }
        // The empty file stays; the first timed run opens it anew and removes it.
        std::fclose(probe);
        acceptedDirectory = typed;
        destinationPath = acceptedDirectory.c_str();
        return true;
    }
}

void reportDiskFailure(const Calibration<DiskCount, DiskElapsedMs>& calibration,
                       const std::string& testFile, BlockKiB blockKiB) {
    std::ostringstream text;
    if (calibration.end == kCalibrationExhausted) {
        text << "\nWARNING: The disk runs stay below 1000 ms! Test aborted.\n";
    } else if (calibration.status == kStatusNoMemory) {
        text << "\nWARNING: Can not allocate memory for " << blockKiB
             << " KiB blocks! Test aborted.\n";
    } else if (calibration.status == kStatusCannotOpen || calibration.status == kStatusNoPath) {
        text << "\nWARNING: Can not create the test file " << testFile << "! Test aborted.\n";
    } else {
        text << "\nWARNING: Writing the test file " << testFile << " failed! Test aborted.\n";
    }
    writeConsoleAndLog(text.str());
}

// Calibrates and reports one block size; false when the test must end.
bool measureBlock(BlockKiB blockKiB, const std::string& testFile) {
    std::cout << "  Testing with block size = " << blockKiB << " KiBytes... ";
    flushConsole();
    const Calibration<DiskCount, DiskElapsedMs> calibration =
        calibrate<DiskCount, DiskElapsedMs>(1, diskWriteWorkload, static_cast<WorkArg>(blockKiB),
                                            testFile.c_str(), diskRunFailed);
    if (calibration.end != kCalibrationReached) {
        reportDiskFailure(calibration, testFile, blockKiB);
        return false;
    }
    const double rate =
        static_cast<double>(calibration.count) / static_cast<double>(calibration.elapsedMs);
    const double throughput = static_cast<double>(blockKiB) * rate;
    const std::string tail = formatDouble(rate) + " K-OPS / " + formatDouble(throughput) +
                             " MiB per second.             \n";
    std::cout << "\r  Speed @ " << blockKiB << " KiB: " << tail;
    logFile << "  Speed @ " << blockKiB << " KiB: " << tail;
    flushConsole();
    return true;
}

}  // namespace

void diskTest() {
    raiseDiskPriority();
    if (destinationPath == nullptr && !promptForDestination()) {
        return;
    }
    std::cout << "\nTesting disk speed (1 - 1024 KiB blocks)...\n";
    logFile << "\nTesting disk speed (1 - 1024 KiB blocks) on path: " << destinationPath << "\n";
    const std::string testFile = std::string(destinationPath) + platformTestFileSuffix();
    // Every timed run truncates and then removes its file: never the log's.
    if (platformIsLogFile(testFile.c_str())) {
        writeConsoleAndLog("\nWARNING: The test file " + testFile +
                           " is the log file! Test aborted.\n");
        return;
    }
    for (BlockKiB blockKiB = 1; blockKiB <= kLargestBlockKiB; blockKiB *= 2) {
        if (!measureBlock(blockKiB, testFile)) {
            return;
        }
    }
}
