// Interrupts during the disk test on Windows: Ctrl+C, Ctrl+Break and closing
// the console remove the test file, then the default handling ends the process.
//
// A file the process holds in a timed run is opened delete-on-close (files.cpp)
// and goes when the process ends; this handler removes what nobody holds: the
// prompt's probe file or a leftover. A file another Windows run holds is
// refused to it by that run's share mode, one a Linux run holds (under Wine)
// by its lock, and so is left alone; so is a link at the name.
#include <windows.h>

#include <string>

#include "platform/console_platform.h"
#include "platform/win32/single_regular_file.h"

namespace {

// The handler runs on a thread of its own: both sides take the lock.
SRWLOCK removalLock = SRWLOCK_INIT;
std::string removalPath;
bool armed = false;
bool installed = false;

void removeUnheldFile(const char* path) {
    const HANDLE handle = CreateFileA(path, DELETE | FILE_READ_DATA | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;  // none, or held by a run
    }
    if (isSingleRegularFile(handle) && isTheFileNamed(handle, path) &&
        lockByte(handle, kCheckLockByte)) {
        markForDeletion(handle);
    }
    CloseHandle(handle);
}

BOOL WINAPI onConsoleEvent(DWORD event) {
    const bool interrupt =
        event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT;
    if (interrupt) {
        AcquireSRWLockExclusive(&removalLock);
        if (armed) {
            removeUnheldFile(removalPath.c_str());
        }
        ReleaseSRWLockExclusive(&removalLock);
    }
    return FALSE;  // the next handler, finally the default one, ends the process
}

}  // namespace

void platformRemoveTestFileOnInterrupt(const char* path) {
    AcquireSRWLockExclusive(&removalLock);
    removalPath = path;
    armed = true;
    ReleaseSRWLockExclusive(&removalLock);
    if (!installed) {
        installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    }
}

void platformForgetTestFileOnInterrupt() {
    AcquireSRWLockExclusive(&removalLock);
    armed = false;
    ReleaseSRWLockExclusive(&removalLock);
}
