// Test helper, a process of its own, started with a console of its own: sets
// up as the disk test does that an interrupt removes the file PATH (after a
// first call whose path the second replaces), with "forget" drops that again,
// and generates Ctrl+C on its console. Exit status: that of the default
// handling of Ctrl+C (STATUS_CONTROL_C_EXIT, or 0 under Wine); 2 wrong
// arguments, 3 the interrupt did not end the process, 4 no Ctrl+C generated.
#include <windows.h>

#include <cstring>

#include "platform/console_platform.h"

namespace {

// Wine now and then starts a process without the console it was created with
// (seen about once in two thousand starts on a busy machine): the event then
// fails with ERROR_INVALID_HANDLE, and the helper makes a console of its own.
bool generateCtrlC() {
    if (GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        return true;
    }
    if (GetLastError() != ERROR_INVALID_HANDLE) {
        return false;
    }
    FreeConsole();
    return AllocConsole() && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    platformRemoveTestFileOnInterrupt("C:\\a\\path\\replaced\\by\\the\\next\\call");
    platformRemoveTestFileOnInterrupt(argv[1]);
    if (std::strcmp(argv[2], "forget") == 0) {
        platformForgetTestFileOnInterrupt();
    }
    if (!generateCtrlC()) {
        return 4;
    }
    // The handlers run on a thread of their own, the default one last; the
    // time limit only turns a handler that keeps the process alive into a failure.
    WaitForSingleObject(GetCurrentProcess(), 60000);
    return 3;
}
