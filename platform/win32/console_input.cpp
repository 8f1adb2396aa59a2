// Dropping typed-ahead input at a Windows console.
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "platform/console_platform.h"

void platformDiscardTypedAhead() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    // GetConsoleMode fails for pipes and files: their lines are answers, not typing.
    if (input == nullptr || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode)) {
        return;
    }
    // What the console holds and has not handed out yet.
    FlushConsoleInputBuffer(input);
    // What cin buffered itself (only when it is not synced with stdio)...
    const std::streamsize buffered = std::cin.rdbuf()->in_avail();
    if (buffered > 0) {
        std::cin.ignore(buffered);
    }
    // ...and what msvcrt read into stdin's buffer: fflush of an input stream drops it.
    std::fflush(stdin);
}
