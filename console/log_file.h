// The log stream and the machine-readable records written to it.
#pragma once

#include <fstream>
#include <string>

// Constructed unopened before main, opened at most once; closed by finishLog
// at the end of a batch run, otherwise when it is destroyed at exit.
extern std::ofstream logFile;

// Record header lines.
extern const char* const kCpuRecordHeader;  // "\nMachine readable results: \"CPU\";..."
extern const char* const kSpdRecordHeader;
extern const char* const kMemRecordHeader;

// True when no error flag of the log is set: records may be written.
bool logIsGood();

// Writes header, then text (a whole record up to its last ';'), its checksum
// in lower-case hex and "\n"; leaves the log in decimal. No state check: the
// caller makes it.
void writeChecksummedRecord(const char* header, const std::string& text);

// "##SYS;", bits, ";", flavor and "\n".
void writeSysRecord(const char* bits, const char* flavor);

// Closes the log. True when every write, the last one written out by the
// close included, reached the file.
bool finishLog();
