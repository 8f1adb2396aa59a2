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
#include "console/measurements/block_sizes.h"
#include "console/measurements/priority_steps.h"
#include "console/measurements/timed_run.h"
#include "console/measurements/warnings.h"
#include "console/settings.h"
#include "console/word_arithmetic.h"
#include "core/priority.h"
#include "core/workloads.h"

namespace {

struct BestBlock {
    BlockKiB block;
    MemBestSpeed speed;  // throughput truncated to a whole number
    MemCount count;      // count of the block's last calibration run
};

MeasureEnd reportRunFailure(WorkStatus status, ThreadCount threadCount, BlockKiB blockKiB) {
    if (status == kStatusNoMemory) {
        reportNoMemory(blockKiB);
    } else {
        reportRunnerFailure(status, threadCount);
    }
    return kMeasureFailed;
}

// Calibrates one block size, writes its lines and appends its throughput.
MeasureEnd measureBlock(ThreadCount threadCount, BlockKiB blockKiB, BestBlock* best,
                        std::ostringstream* spdText) {
    const Calibration<MemCount, MemElapsedMs> calibration =
        calibrateBlock<MemCount, MemElapsedMs>(threadCount, memcopyWorkload, blockKiB, nullptr);
    if (calibration.end == kMeasureTooFast) {
        return kMeasureTooFast;
    }
    if (calibration.end == kMeasureFailed) {
        return reportRunFailure(calibration.status, threadCount, blockKiB);
    }

    const BlockSpeed speed = blockSpeed(blockKiB, calibration);
    // Against the stored whole number: a block just below a fractional best wins.
    if (speed.throughput > static_cast<double>(best->speed)) {
        if (!truncateToWord(speed.throughput, &best->speed)) {
            return kMeasureTooFast;
        }
        best->block = blockKiB;
        best->count = calibration.count;
    }

    *spdText << reportBlockSpeed(blockKiB, std::to_string(threadCount) + "x", speed,
                                 " and thread.\n", kFlushThenLog)
             << ";";
    return kMeasureGoesOn;
}

// Times the best block over the passes; *passAverage is their running halving.
MeasureEnd repeatBestBlock(ThreadCount threadCount, const BestBlock& best, double* passAverage) {
    *passAverage = 0.0;
    for (PassIndex i = 0; i < cycleCount; ++i) {
        std::cout << "\r  Repeating test in " << cycleCount << " cycles with " << best.block
                  << " KiB blocks. " << i + 1 << "/" << cycleCount;
        flushConsole();
        WorkStatus status = kStatusOk;
        const TimerMs elapsed =
            timeTestRun(threadCount, memcopyWorkload, static_cast<WorkCount>(best.count),
                        static_cast<WorkArg>(best.block), nullptr, &status);
        if (blockRunFailed(status)) {
            return reportRunFailure(status, threadCount, best.block);
        }
        *passAverage += static_cast<double>(elapsed);
        if (i > 0) {
            *passAverage /= 2.0;
        }
    }
    return kMeasureGoesOn;
}

void writeMemoryRecords(ThreadCount threadCount, const std::ostringstream& spdText,
                        const BestBlock& best, MemSpeed memSpeed) {
    writeChecksummedRecord(kSpdRecordHeader, spdText.str());
    std::ostringstream memText;
    memText << "##MEM;" << threadCount << ";" << best.block << ";" << memSpeed << ";";
    writeChecksummedRecord(kMemRecordHeader, memText.str());
}

// The test between raising and restoring the priority.
MeasureEnd runMemoryTest(ThreadCount threadCount) {
    writeConsoleAndLog("\nTesting memory speed (1 - 1024 KiB blocks)...\n");
    BestBlock best = {0, 0, 0};
    std::ostringstream spdText;
    spdText << "##SPD;" << threadCount << ";";
    const MeasureEnd blocksEnd = forEachBlockSize([&](BlockKiB blockKiB) {
        return measureBlock(threadCount, blockKiB, &best, &spdText);
    });
    if (blocksEnd != kMeasureGoesOn) {
        return blocksEnd;
    }
    std::cout << "\n  Best block / speed was (" << best.speed << " MiB/s @ " << best.block
              << " KiB blocks)\n";

    double passAverage = 0.0;
    const MeasureEnd repeatEnd = repeatBestBlock(threadCount, best, &passAverage);
    if (repeatEnd != kMeasureGoesOn) {
        return repeatEnd;
    }
    if (!(passAverage > 0.0)) {
        return kMeasureTooFast;
    }
    MemSpeed memSpeed = 0;
    if (!truncateToWord(static_cast<double>(best.count) / passAverage *
                            static_cast<double>(best.block),
                        &memSpeed)) {
        return kMeasureTooFast;
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
    return kMeasureGoesOn;
}

}  // namespace

void memoryTest(ThreadCount threadCount) {
    if (refuseThreadCount(threadCount)) {
        return;
    }
    raiseTestPriority();
    if (runMemoryTest(threadCount) == kMeasureTooFast) {
        reportTooFast();
    }
    setPriority(Normal);
}
