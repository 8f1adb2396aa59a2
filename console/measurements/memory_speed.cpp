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
#include "console/measurements/passes.h"
#include "console/measurements/priority_steps.h"
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
                                 " and thread.", kFlushBeforeLog)
             << ";";
    return kMeasureGoesOn;
}

// Times the best block over the passes; *memSpeed is the copy speed of their
// running halving.
MeasureEnd repeatBestBlock(ThreadCount threadCount, const BestBlock& best, MemSpeed* memSpeed) {
    std::ostringstream progress;
    progress << "\r  Repeating test in " << cycleCount << " cycles with " << best.block
             << " KiB blocks. ";
    const Passes passes =
        timePasses(threadCount, memcopyWorkload, static_cast<WorkCount>(best.count),
                   static_cast<WorkArg>(best.block), progress.str(), blockRunFailed);
    if (passes.end == kMeasureFailed) {
        return reportRunFailure(passes.status, threadCount, best.block);
    }
    if (passes.end == kMeasureTooFast ||
        !truncateToWord(static_cast<double>(best.count) / passes.combinedMs *
                            static_cast<double>(best.block),
                        memSpeed)) {
        return kMeasureTooFast;
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

    MemSpeed memSpeed = 0;
    const MeasureEnd repeatEnd = repeatBestBlock(threadCount, best, &memSpeed);
    if (repeatEnd != kMeasureGoesOn) {
        return repeatEnd;
    }
    std::ostringstream line;
    line << "  CPU max memcopy speed is: " << threadCount << "x" << memSpeed << " MiB/s @ "
         << best.block << " KiB blocks.";
    writeResultLine(line.str(), "           ", kFlushNotHere);
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
