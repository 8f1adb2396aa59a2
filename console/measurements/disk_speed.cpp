// The disk test. Every timed run's status is looked at: a run that could not
// create or write its file, or got no memory, and a calibration whose count
// would leave the word before a run lasts 1000 ms, end the test at once with a
// warning (the priority stays High, as on every end of this test). So does a
// test file that is the open log file, before any run could truncate it, a
// test file another run holds (at the probe or a timed run) and one that could
// not be removed. From the first probe to its end the test has interrupts
// remove its file.
#include "console/measurements/disk_speed.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "console/console_output.h"
#include "console/log_file.h"
#include "console/measurements/block_sizes.h"
#include "console/measurements/priority_steps.h"
#include "console/measurements/warnings.h"
#include "console/settings.h"
#include "core/workloads.h"
#include "platform/console_platform.h"

namespace {

std::string inUseWarning(const std::string& testFile) {
    return "\nWARNING: The test file " + testFile + " is in use by another run! Test aborted.\n";
}

enum PromptEnd { kPromptAccepted, kPromptEmpty, kPromptInUse };

// Asks until a directory takes the probe file or the answer is empty. The
// accepted text is kept for the rest of the process.
PromptEnd promptForDestination() {
    static std::string acceptedDirectory;
    for (;;) {
        std::cout << "\nDisk-Spped-Test \n"
                  << "Please enter a valid path for testing: (eg: C:, B: - empty aborts)\n";
        platformDiscardTypedAhead();
        // The whole line, whatever its length. Never cleared: the end of the
        // input leaves cin failed for the next read.
        std::string typed;
        std::getline(std::cin, typed);
        if (typed.empty()) {
            return kPromptEmpty;
        }
        const std::string probePath = typed + platformTestFileSuffix();
        // The probe's file bears the test file's name: an interrupt removes it.
        platformRemoveTestFileOnInterrupt(probePath.c_str());
        bool inUse = false;
        std::FILE* probe = platformOpenProbeFile(probePath.c_str(), &inUse);
        if (inUse) {
            writeConsoleAndLog(inUseWarning(probePath));
            return kPromptInUse;
        }
        if (probe == nullptr) {
            std::cout << "\nThis path is invalid. (Or we do not have write permissions!)\n";
            continue;
        }
        // The empty file stays; the first timed run opens it anew and removes it.
        std::fclose(probe);
        acceptedDirectory = typed;
        destinationPath = acceptedDirectory.c_str();
        return kPromptAccepted;
    }
}

void reportDiskFailure(const Calibration<DiskCount, DiskElapsedMs>& calibration,
                       const std::string& testFile, BlockKiB blockKiB) {
    const WorkStatus status = calibration.status;
    if (calibration.end == kMeasureTooFast) {
        writeConsoleAndLog("\nWARNING: The disk runs stay below 1000 ms! Test aborted.\n");
    } else if (status == kStatusNoMemory) {
        reportNoMemory(blockKiB);
    } else if (status == kStatusInUse) {
        writeConsoleAndLog(inUseWarning(testFile));
    } else if (status == kStatusNotRemoved) {
        writeConsoleAndLog("\nWARNING: The test file " + testFile +
                           " could not be removed! Test aborted.\n");
    } else if (status == kStatusCannotOpen || status == kStatusNoPath) {
        writeConsoleAndLog("\nWARNING: Can not create the test file " + testFile +
                           "! Test aborted.\n");
    } else {
        writeConsoleAndLog("\nWARNING: Writing the test file " + testFile +
                           " failed! Test aborted.\n");
    }
}

// Calibrates and reports one block size, on this thread.
MeasureEnd measureBlock(BlockKiB blockKiB, const std::string& testFile) {
    const Calibration<DiskCount, DiskElapsedMs> calibration =
        calibrateBlock<DiskCount, DiskElapsedMs>(1, diskWriteWorkload, blockKiB, testFile.c_str());
    if (calibration.end != kMeasureGoesOn) {
        reportDiskFailure(calibration, testFile, blockKiB);
        return calibration.end;
    }
    // Console line, log line, then the console flush.
    reportBlockSpeed(blockKiB, "", blockSpeed(blockKiB, calibration), ".             ",
                     kFlushAfterLog);
    return kMeasureGoesOn;
}

// The measurement proper, once the directory is known.
void measureDirectory() {
    std::cout << "\nTesting disk speed (1 - 1024 KiB blocks)...\n";
    logFile << "\nTesting disk speed (1 - 1024 KiB blocks) on path: " +
                   std::string(destinationPath) + "\n";
    const std::string testFile = std::string(destinationPath) + platformTestFileSuffix();
    // Every timed run truncates and then removes its file: never the log's.
    if (platformIsLogFile(testFile.c_str())) {
        writeConsoleAndLog("\nWARNING: The test file " + testFile +
                           " is the log file! Test aborted.\n");
        return;
    }
    platformRemoveTestFileOnInterrupt(testFile.c_str());
    forEachBlockSize([&](BlockKiB blockKiB) { return measureBlock(blockKiB, testFile); });
}

}  // namespace

void diskTest() {
    raiseDiskPriority();
    if (destinationPath != nullptr || promptForDestination() == kPromptAccepted) {
        measureDirectory();
    }
    // Outside the disk test an interrupt ends the program as it always did.
    platformForgetTestFileOnInterrupt();
}
