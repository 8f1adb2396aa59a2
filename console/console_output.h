// Console helpers shared by the tests.
#pragma once

#include <iosfwd>
#include <string>

// Pushes everything written to cout to the console at once, by inserting an
// empty text into clog, which the program ties to cout.
void flushConsole();

// Writes text to the console and then to the log.
void writeConsoleAndLog(const std::string& text);

// Whether writeResultLine flushes the console between its two lines.
enum ConsoleFlush {
    kFlushNotHere,    // not at all, or later by the caller
    kFlushBeforeLog,  // the console line is shown before the log line is written
    kFlushAfterLog    // console line, log line, then the flush
};

// A test's result line, written twice: to the console as "\r", text,
// consolePad and "\n", so that it overwrites the progress text; then to the
// log as text and "\n", assembled first so that it reaches the unbuffered log
// in one write. Blanks that both lines carry belong in text.
void writeResultLine(const std::string& text, const char* consolePad, ConsoleFlush flush);
