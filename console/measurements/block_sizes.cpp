// The result line of one block size, as the memory and disk tests write it.
#include "console/measurements/block_sizes.h"

#include "console/log_file.h"
#include "console/number_format.h"

void reportBlockSpeed(BlockKiB blockKiB, const std::string& perThread, const BlockSpeed& speed,
                      const char* ending) {
    const std::string line = "  Speed @ " + std::to_string(blockKiB) + " KiB: " + perThread +
                             formatDouble(speed.rate) + " K-OPS / " +
                             formatDouble(speed.throughput) + " MiB per second" + ending;
    std::cout << "\r" << line;
    flushConsole();
    logFile << line;  // one write to the unbuffered log
}
