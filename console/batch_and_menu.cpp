// The batch run of the three tests and the interactive menu with its choices.
#include "console/batch_and_menu.h"

#include <iostream>
#include <string>

#include "console/console_output.h"
#include "console/measurements/cpu_speed.h"
#include "console/measurements/disk_speed.h"
#include "console/measurements/memory_speed.h"
#include "console/settings.h"
#include "platform/console_platform.h"

namespace {

// One character, 0 at the end of input or on a failed stream.
int readChoice() {
    const int c = std::cin.get();
    return c == std::char_traits<char>::eof() ? 0 : c;
}

// Drops the rest of the line and its line end. After an empty line the choice
// was the line end itself, so this drops the whole next line.
void skipRestOfLine() {
    const int eof = std::char_traits<char>::eof();
    for (int next = std::cin.peek(); next != eof && next != '\n'; next = std::cin.peek()) {
        std::cin.ignore();
    }
    if (std::cin.peek() != eof) {
        std::cin.ignore();
    }
}

void writeMenu() {
    std::cout << "\nMENU - Available options\n"
              << "  c - Test CPU speed \n"
              << "  m - Test memory speed\n"
              << "  d - Test disk speed\n"
              << "  a - Perform all tests\n"
              << "\n"
              << "  Anything else - Exit\n\n"
              << "Your choice: ";
}

}  // namespace

void runBatch(ThreadCount threadCount) {
    cpuTest(threadCount);
    memoryTest(threadCount);
    if (destinationPath != nullptr) {
        diskTest();
    }
}

void runMenu(ThreadCount threadCount) {
    bool interactiveMode = true;
    while (interactiveMode) {
        writeMenu();
        platformDiscardTypedAhead();
        const int choice = readChoice();
        skipRestOfLine();
        std::cout << "\n";
        switch (choice) {
            case 'a':
                cpuTest(threadCount);
                memoryTest(threadCount);
                diskTest();
                break;
            case 'c':
                cpuTest(threadCount);
                break;
            case 'd':
                diskTest();
                break;
            case 'm':
                memoryTest(threadCount);
                break;
            default:
                interactiveMode = false;
                break;
        }
    }
    std::cout << "\n\nBye.\n";
}
