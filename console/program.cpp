// The program's start: command line, log, banner and self check, then the
// batch run or the menu.
#include "console/program.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "console/batch_and_menu.h"
#include "console/build_flavor.h"
#include "console/command_line.h"
#include "console/log_file.h"
#include "console/self_check.h"
#include "console/settings.h"
#include "platform/console_platform.h"

namespace {

const char* const kProgramTitle = "Tembrixmeter v. 1.0.0";
const char* const kMakerNotice = "(c) 2026 The Tembrix developers";

const char* const kUsage =
    "Usage: %s [cycles] [threads] [logfile] [destpath]\n"
    "No commands start Tembrix in interactive single core mode.";

bool isUsageRequest(const char* argument) {
    return std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "/h") == 0;
}

void writeBanner(std::ostream& out) {
    const std::string frame(69, '*');
    out << frame << "\n";
    out << "*                      " << kProgramTitle << "                        *\n";
    out << "*                  " << kMakerNotice << "                  *\n";
    out << frame << "\n\n";
}

void writeLogTitleLine(std::ostream& out) {
    out << std::string(kProgramTitle) + " " + kMakerNotice + "\n";
}

void writeBuildLabelLine(std::ostream& out) {
    // Each line in one insertion: the log is unbuffered.
    out << std::string("Compiled in ") + buildBits + " bits by " + buildCompiler +
               " flavor: " + buildFlavor + "\n";
}

void writeThreadAndCycleLine(std::ostream& out, ThreadCount threadCount, CycleCount cycles) {
    out << "Using " + std::to_string(threadCount) + " thread(s) and " + std::to_string(cycles) +
               " cycles.\n";
}

}  // namespace

int runProgram(int argc, char** argv) {
    // Before any file is opened: a closed standard output must not become the log.
    platformOpenStandardDescriptors();
    // libstdc++ leaves clog untied; flushing the console relies on the tie.
    std::clog.tie(&std::cout);

    bool interactiveMode = true;
    ThreadCount threadCount = 1;

    if (argc > 1) {
        if (isUsageRequest(argv[1])) {
            std::printf(kUsage, argv[0]);
            return kExitNormal;
        }
        cycleCount = parseArgumentNumber(argv[1]);
    }
    if (argc > 2) {
        threadCount = threadCountFromArgument(argv[2]);
    }
    if (argc > 3) {
        // Unbuffered, set before the open: every insertion reaches the file at
        // once, so an interrupt, a crash or a full disk loses nothing written
        // before it, and tail -f follows the run.
        logFile.rdbuf()->pubsetbuf(nullptr, 0);
        // Opened: the stream has a file and its bad flag is clear.
        if (!platformOpenLogFile(logFile, argv[3])) {
            std::cout << "Can not open log file: " << argv[3] << "!\n";
            return kExitLogOpenFailed;
        }
        std::cout << "Logging to file: " << argv[3] << ".\n\n";
        interactiveMode = false;
    }
    if (argc > 4) {
        destinationPath = argv[4];
        interactiveMode = false;
    }

    writeBanner(std::cout);
    writeBuildLabelLine(std::cout);

    // Without a file the first write leaves the log bad and the rest is dropped.
    if (logIsGood()) {
        writeLogTitleLine(logFile);
        writeBuildLabelLine(logFile);
        writeThreadAndCycleLine(logFile, threadCount, cycleCount);
        writeSysRecord(buildBits, buildFlavor);
    }

    if (!runSelfCheck(countSizeTBits(), expectedPointerWidth)) {
        return kExitSelfCheckFailed;
    }
    writeThreadAndCycleLine(std::cout, threadCount, cycleCount);

    if (interactiveMode) {
        runMenu(threadCount);
        return kExitNormal;
    }
    runBatch(threadCount);
    // The log is closed here rather than at exit so that a failed last write
    // can still be reported.
    if (!finishLog()) {
        std::cout << "\nWARNING: The log file " << argv[3] << " could not be written completely!\n";
        return kExitLogIncomplete;
    }
    return kExitNormal;
}
