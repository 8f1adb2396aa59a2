// Dropping typed-ahead input at a terminal.
#include <stdio_ext.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "platform/console_platform.h"

void platformDiscardTypedAhead() {
    if (isatty(STDIN_FILENO) == 0) {
        return;  // pipes and files are read as they come
    }
    tcflush(STDIN_FILENO, TCIFLUSH);
    // What stdio already read ahead (std::cin reads through it).
    __fpurge(stdin);
}
