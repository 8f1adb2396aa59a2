// What the memory and disk tests share: the eleven block sizes from 1 to
// 1024 KiB, the line that announces each block and the line with its rate and
// throughput.
#pragma once

#include <iostream>
#include <string>

#include "console/console_output.h"
#include "console/measurements/calibration.h"
#include "core/machine_types.h"

constexpr BlockKiB kLargestBlockKiB = 1024;

// A copy that got no buffers or a write that never reached the disk returns at
// once, and a run whose workers did not all run did not happen: any status but
// kStatusOk means that its time must not count.
inline bool blockRunFailed(WorkStatus status) {
    return status != kStatusOk;
}

// Calls measure(blockKiB) for 1, 2, 4 ... 1024 KiB until one returns other
// than kMeasureGoesOn; returns that end, or kMeasureGoesOn after the last.
template <typename Measure>
MeasureEnd forEachBlockSize(Measure measure) {
    for (BlockKiB blockKiB = 1; blockKiB <= kLargestBlockKiB; blockKiB *= 2) {
        const MeasureEnd end = measure(blockKiB);
        if (end != kMeasureGoesOn) {
            return end;
        }
    }
    return kMeasureGoesOn;
}

// Announces the block ("  Testing with block size = "...) and calibrates it
// with blockKiB as the workload's argument.
template <typename Count, typename Ms>
Calibration<Count, Ms> calibrateBlock(ThreadCount threadCount, WorkloadFn workload,
                                      BlockKiB blockKiB, const char* path) {
    std::cout << "  Testing with block size = " << blockKiB << " KiBytes... ";
    flushConsole();
    return calibrate<Count, Ms>(threadCount, workload, static_cast<WorkArg>(blockKiB), path,
                                blockRunFailed);
}

// The block's rate in K-OPS (count per ms) and its throughput in MiB per
// second (KiB per ms).
struct BlockSpeed {
    double rate;
    double throughput;
};

template <typename Count, typename Ms>
BlockSpeed blockSpeed(BlockKiB blockKiB, const Calibration<Count, Ms>& calibration) {
    const double rate = countPerMs(calibration);
    return {rate, static_cast<double>(blockKiB) * rate};
}

// Writes "  Speed @ <blockKiB> KiB: <perThread><rate> K-OPS / <throughput> MiB
// per second<ending>" to the console, over the block's announcement, and to
// the log (writeResultLine, flushing the console as flush says); returns the
// throughput as written there, for a record.
std::string reportBlockSpeed(BlockKiB blockKiB, const std::string& perThread,
                             const BlockSpeed& speed, const char* ending, ConsoleFlush flush);
