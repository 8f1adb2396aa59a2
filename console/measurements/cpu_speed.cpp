// The CPU test. Besides the too-fast end of a phase, it ends early, with
// Normal priority restored and no record, when: more than 64 threads are asked
// for (refused before the priority changes); the calibration can't reach
// 1000 ms within the build's word, or a rate doesn't fit it (the too-fast
// message: no wrapped or clamped number is ever printed); the runner could not
// start or wait for its workers.
#include "console/measurements/cpu_speed.h"

#include <iostream>
#include <limits>
#include <sstream>

#include "console/console_output.h"
#include "console/log_file.h"
#include "console/measurements/calibration.h"
#include "console/measurements/passes.h"
#include "console/measurements/priority_steps.h"
#include "console/measurements/warnings.h"
#include "console/settings.h"
#include "console/word_arithmetic.h"
#include "core/priority.h"
#include "core/workloads.h"

namespace {

struct CpuPhase {
    WorkloadFn workload;
    const char* progress;  // followed by the cycle count
    const char* label;     // the log's label; the console's has "\r" before it
    const char* unit;
    const char* consolePad;  // blanks after the unit, console only
};

const CpuPhase kPhases[] = {
    {integerWorkload, "\r  Measuring CPU integer operation speed (", "  CPU integer speed is:\t\t",
     " IOPS.", "                "},
    {floatWorkload, "\r  Measuring CPU floating point speed (", "  CPU floating point speed is:\t",
     " FLOPS.", "                "},
    {bitShiftWorkload, "\r  Measuring CPU bit shifting speed (", "  CPU bit shifting speed is:\t",
     " BSOPS.", "               "},
    {mathWorkload, "\r  Measuring CPU math speed (", "  CPU math speed is:\t\t", " Math-OPS.",
     "               "},
};
constexpr int kPhaseCount = 4;
constexpr int kMathPhase = 3;

void endTooFast() {
    reportTooFast();
    setPriority(Normal);
}

// The one-core rate, trunc(count / ms) * 1000; false when the calibration
// found none that fits the build's word.
bool calibrateOpsPerSecond(CpuRate* opsPerSecond) {
    std::cout << "\nCalibrating CPU Test...\n";
    const Calibration<CpuCalibCount, CpuCalibMs> calibration =
        calibrate<CpuCalibCount, CpuCalibMs>(1, calibrationWorkload, 0, nullptr, isRunnerFailure);
    if (calibration.end != kMeasureGoesOn) {
        return false;
    }
    CpuRate perMs = 0;
    if (!truncateToWord(countPerMs(calibration), &perMs) ||
        perMs > std::numeric_limits<CpuRate>::max() / 1000) {
        return false;
    }
    *opsPerSecond = perMs * 1000;
    std::cout << "\r  Done. (Result: CPU does " << *opsPerSecond
              << " OPS per second on one core.)\n";
    return true;
}

MeasureEnd measurePhase(const CpuPhase& phase, CpuRate count, ThreadCount threadCount,
                        CpuRate* rate) {
    std::ostringstream progress;
    progress << phase.progress << cycleCount << " cycles) ";
    // Only the runner's own failures end the test: the x86 bit-shift loop
    // reports a mismatch for every count of 10 or more, and its time counts
    // all the same.
    const Passes passes = timePasses(threadCount, phase.workload, static_cast<WorkCount>(count),
                                     0, progress.str(), isRunnerFailure);
    if (passes.end == kMeasureFailed) {
        reportRunnerFailure(passes.status, threadCount);
        return kMeasureFailed;
    }
    if (passes.end == kMeasureTooFast ||
        !truncateToWord(static_cast<double>(count) / passes.combinedMs * 1000.0, rate)) {
        return kMeasureTooFast;
    }
    std::ostringstream line;
    line << phase.label << threadCount << "x" << *rate << phase.unit;
    writeResultLine(line.str(), phase.consolePad, kFlushNotHere);
    return kMeasureGoesOn;
}

void writeCpuRecord(ThreadCount threadCount, const CpuRate* rates) {
    std::ostringstream text;
    text << "##CPU;" << threadCount << ";";
    for (int i = 0; i < kPhaseCount; ++i) {
        text << rates[i] << ";";
    }
    writeChecksummedRecord(kCpuRecordHeader, text.str());
}

}  // namespace

void cpuTest(ThreadCount threadCount) {
    if (refuseThreadCount(threadCount)) {
        return;
    }
    raiseTestPriority();

    CpuRate opsPerSecond = 0;
    if (!calibrateOpsPerSecond(&opsPerSecond)) {
        endTooFast();
        return;
    }

    writeConsoleAndLog("\nTesting CPU...\n");
    CpuRate rates[kPhaseCount] = {};
    for (int i = 0; i < kPhaseCount; ++i) {
        const CpuRate count = i == kMathPhase ? opsPerSecond / 10 : opsPerSecond;
        const MeasureEnd end = measurePhase(kPhases[i], count, threadCount, &rates[i]);
        if (end == kMeasureTooFast) {
            endTooFast();
            return;
        }
        if (end == kMeasureFailed) {
            setPriority(Normal);
            return;
        }
    }

    if (logIsGood()) {
        writeCpuRecord(threadCount, rates);
    }
    setPriority(Normal);
}
