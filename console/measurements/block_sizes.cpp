// The result line of one block size, as the memory and disk tests write it.
#include "console/measurements/block_sizes.h"

#include "console/number_format.h"

std::string reportBlockSpeed(BlockKiB blockKiB, const std::string& perThread,
                             const BlockSpeed& speed, const char* ending, ConsoleFlush flush) {
    const std::string throughput = formatDouble(speed.throughput);
    const std::string line = "  Speed @ " + std::to_string(blockKiB) + " KiB: " + perThread +
                             formatDouble(speed.rate) + " K-OPS / " + throughput +
                             " MiB per second" + ending;
    writeResultLine(line, "", flush);
    return throughput;
}
