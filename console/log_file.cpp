// The log stream, its record headers and checksummed records, and its close.
#include "console/log_file.h"

#include <cstdint>
#include <sstream>

#include "console/record_checksum.h"

std::ofstream logFile;

const char* const kCpuRecordHeader =
    "\nMachine readable results: \"CPU\";THREADS;IOPS;FLOPS;BSOPS;MATH-OPS;CHECKSUM\n";
const char* const kSpdRecordHeader =
    "\nMachine readable results: \"SPD\";THREADS;11x{MiB/s;1-1024K};CHECKSUM\n";
const char* const kMemRecordHeader =
    "\nMachine readable results: \"MEM\";THREADS;MCPYBLCK;MCPYSPD;CHECKSUM\n";

bool logIsGood() {
    return logFile.rdstate() == std::ios_base::goodbit;
}

void writeChecksummedRecord(const char* header, const std::string& text) {
    logFile << header;
    // Inserted as a C string: like the record stream's text, it ends at a NUL.
    const char* record = text.c_str();
    const std::uint32_t checksum = static_cast<std::uint32_t>(recordChecksum(record));
    std::ostringstream line;  // one write to the unbuffered log; the log stays decimal
    line << record << std::hex << checksum << "\n";
    logFile << line.str();
}

void writeSysRecord(const char* bits, const char* flavor) {
    logFile << "##SYS;" + std::string(bits) + ";" + flavor + "\n";
}

bool finishLog() {
    const bool wasGood = logIsGood();
    logFile.close();
    return wasGood && !logFile.fail();
}
