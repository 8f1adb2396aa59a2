// Console helpers shared by the tests.
#pragma once

#include <iosfwd>
#include <string>

// Pushes everything written to cout to the console at once, by inserting an
// empty text into clog, which the program ties to cout.
void flushConsole();

// Writes text to the console and then to the log.
void writeConsoleAndLog(const std::string& text);
