// The result line of one block size, as the memory and disk tests write it.
#include "console/measurements/block_sizes.h"

#include "console/log_file.h"
#include "console/number_format.h"

std::string reportBlockSpeed(BlockKiB blockKiB, const std::string& perThread,
                             const BlockSpeed& speed, const char* ending, BlockLineOrder order) {
    const std::string throughput = formatDouble(speed.throughput);
    const std::string line = "  Speed @ " + std::to_string(blockKiB) + " KiB: " + perThread +
                             formatDouble(speed.rate) + " K-OPS / " + throughput +
                             " MiB per second" + ending;
    std::cout << "\r" << line;
    if (order == kFlushThenLog) {
        flushConsole();
    }
    logFile << line;  // one write to the unbuffered log
    if (order == kLogThenFlush) {
        flushConsole();
    }
    return throughput;
}
