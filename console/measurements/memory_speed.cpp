// The memory test. Besides the too-fast end, it ends early, with Normal
// priority restored and no record, when: more than 64 threads are asked for
// (refused before the priority changes); a calibration can't reach 1000 ms
// within the build's word, or bestSpeed or memSpeed doesn't fit it (the
// too-fast message); a copy got no memory; the runner failed.
#include "console/measurements/memory_speed.h"

#include <iostream>
#include <sstream>

#include "console/console_output.h"
#include "console/log_file.h"
#include "console/measurements/calibration.h"
#include "console/measurements/priority_steps.h"
#include "console/measurements/timed_run.h"
#include "console/measurements/warnings.h"
#include "console/number_format.h"
#include "console/settings.h"
#include "console/word_arithmetic.h"
#include "core/priority.h"
#include "core/workloads.h"

namespace {

constexpr BlockKiB kLargestBlockKiB = 1024;

// A copy that got no buffers returns at once; its time must not count.
bool memoryRunFailed(WorkStatus status) {
    return status == kStatusNoMemory || isRunnerFailure(status);
}

struct BestBlock {
    BlockKiB block;
    MemBestSpeed speed;  // throughput truncated to a whole number
    MemCount count;      // count of the block's last calibration run
};

enum MemoryEnd { kMemoryGoesOn, kMemoryTooFast, kMemoryFailed };

MemoryEnd reportRunFailure(WorkStatus status, ThreadCount threadCount, BlockKiB blockKiB) {
    if (status == kStatusNoMemory) {
        reportNoMemory(blockKiB);
    } else {
        reportRunnerFailure(status, threadCount);
    }
    return kMemoryFailed;
}

// Calibrates one block size, writes its lines and appends its throughput.
MemoryEnd measureBlock(ThreadCount threadCount, BlockKiB blockKiB, BestBlock* best,
                       std::ostringstream* spdText) {
    std::cout << "  Testing with block size = " << blockKiB << " KiBytes... ";
    flushConsole();
    const Calibration<MemCount, MemElapsedMs> calibration = calibrate<MemCount, MemElapsedMs>(
        threadCount, memcopyWorkload, static_cast<WorkArg>(blockKiB), nullptr, memoryRunFailed);
    if (calibration.end == kCalibrationExhausted) {
        return kMemoryTooFast;
    }
    if (calibration.end == kCalibrationFailed) {
        return reportRunFailure(calibration.status, threadCount, blockKiB);
    }

    const double blockRate =
        static_cast<double>(calibration.count) / static_cast<double>(calibration.elapsedMs);
    const double throughput = static_cast<double>(blockKiB) * blockRate;
    // Against the stored whole number: a block just below a fractional best wins.
    if (throughput > static_cast<double>(best->speed)) {
        if (!truncateToWord(throughput, &best->speed)) {
            return kMemoryTooFast;
        }
        best->block = blockKiB;
        best->count = calibration.count;
    }

    const std::string rate = formatDouble(blockRate);
    const std::string speed = formatDouble(throughput);
    std::cout << "\r  Speed @ " << blockKiB << " KiB: " << threadCount << "x" << rate << " K-OPS / "
              << speed << " MiB per second and thread.\n";
    flushConsole();
    std::ostringstream line;  // one write to the unbuffered log
    line << "  Speed @ " << blockKiB << " KiB: " << threadCount << "x" << rate << " K-OPS / "
         << speed << " MiB per second and thread.\n";
    logFile << line.str();
    *spdText << speed << ";";
    return kMemoryGoesOn;
}

// Times the best block over the passes; *passAverage is their running halving.
MemoryEnd repeatBestBlock(ThreadCount threadCount, const BestBlock& best, double* passAverage) {
    *passAverage = 0.0;
    for (PassIndex i = 0; i < cycleCount; ++i) {
        std::cout << "\r  Repeating test in " << cycleCount << " cycles with " << best.block
                  << " KiB blocks. " << i + 1 << "/" << cycleCount;
        flushConsole();
        WorkStatus status = kStatusOk;
        const TimerMs elapsed =
            timeTestRun(threadCount, memcopyWorkload, static_cast<WorkCount>(best.count),
                        static_cast<WorkArg>(best.block), nullptr, &status);
        if (memoryRunFailed(status)) {
            return reportRunFailure(status, threadCount, best.block);
        }
        *passAverage += static_cast<double>(elapsed);
        if (i > 0) {
            *passAverage /= 2.0;
        }
    }
    return kMemoryGoesOn;
}

void writeMemoryRecords(ThreadCount threadCount, const std::ostringstream& spdText,
                        const BestBlock& best, MemSpeed memSpeed) {
    writeChecksummedRecord(kSpdRecordHeader, spdText.str());
    std::ostringstream memText;
    memText << "##MEM;" << threadCount << ";" << best.block << ";" << memSpeed << ";";
    writeChecksummedRecord(kMemRecordHeader, memText.str());
}

// The test between raising and restoring the priority.
MemoryEnd runMemoryTest(ThreadCount threadCount) {
    writeConsoleAndLog("\nTesting memory speed (1 - 1024 KiB blocks)...\n");
    BestBlock best = {0, 0, 0};
    std::ostringstream spdText;
    spdText << "##SPD;" << threadCount << ";";
    for (BlockKiB blockKiB = 1; blockKiB <= kLargestBlockKiB; blockKiB *= 2) {
        const MemoryEnd end = measureBlock(threadCount, blockKiB, &best, &spdText);
        if (end != kMemoryGoesOn) {
            return end;
        }
    }
    std::cout << "\n  Best block / speed was (" << best.speed << " MiB/s @ " << best.block
              << " KiB blocks)\n";

    double passAverage = 0.0;
    const MemoryEnd end = repeatBestBlock(threadCount, best, &passAverage);
    if (end != kMemoryGoesOn) {
        return end;
    }
    if (!(passAverage > 0.0)) {
        return kMemoryTooFast;
    }
    MemSpeed memSpeed = 0;
    if (!truncateToWord(static_cast<double>(best.count) / passAverage *
                            static_cast<double>(best.block),
                        &memSpeed)) {
        return kMemoryTooFast;
    }

    std::cout << "\r  CPU max memcopy speed is: " << threadCount << "x" << memSpeed << " MiB/s @ "
              << best.block << " KiB blocks.           \n";
    std::ostringstream line;
    line << "  CPU max memcopy speed is: " << threadCount << "x" << memSpeed << " MiB/s @ "
         << best.block << " KiB blocks.\n";
    logFile << line.str();
    if (logIsGood()) {
        writeMemoryRecords(threadCount, spdText, best, memSpeed);
    }
    return kMemoryGoesOn;
}

}  // namespace

void memoryTest(ThreadCount threadCount) {
    if (refuseThreadCount(threadCount)) {
        return;
    }
    raiseTestPriority();
    if (runMemoryTest(threadCount) == kMemoryTooFast) {
        reportTooFast();
    }
    setPriority(Normal);
}
