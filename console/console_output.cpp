// Flushing the console before a timed run, and lines for console and log.
#include "console/console_output.h"

#include <iostream>

#include "console/log_file.h"

void flushConsole() {
    // The sentry of an insertion into clog flushes the stream it is tied to.
    std::clog << "";
}

void writeConsoleAndLog(const std::string& text) {
    std::cout << text;
    logFile << text;
}

void writeResultLine(const std::string& text, const char* consolePad, ConsoleFlush flush) {
    std::cout << "\r" << text << consolePad << "\n";
    if (flush == kFlushBeforeLog) {
        flushConsole();
    }
    logFile << text + "\n";
    if (flush == kFlushAfterLog) {
        flushConsole();
    }
}
