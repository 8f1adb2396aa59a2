// Interrupts during the disk test on POSIX: SIGINT, SIGTERM and SIGHUP remove
// the test file, then end the process as the signal would have.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <string>

#include "platform/console_platform.h"
#include "platform/posix/single_regular_file.h"

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

// Kept for the life of the process: the handler only reads it, and it is only
// changed while the signals are blocked.
std::string removalPath;
struct sigaction previousActions[kSignalCount];
bool installed[kSignalCount] = {};

// Async-signal-safe calls only. A file another process holds locked is that
// run's own; our own lock never shows as a conflict, so an unlocked regular
// file with a single name is ours or a leftover, and goes.
void removeTestFileAndEnd(int signalNumber) {
    const int fd = open(removalPath.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        struct flock lock = wholeFileWriteLock();
        if (isSingleRegularFile(fd) && fcntl(fd, F_GETLK, &lock) == 0 &&
            lock.l_type == F_UNLCK) {
            unlink(removalPath.c_str());
        }
        close(fd);
    }
    // The signal is blocked while this runs: it ends the process on return.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signalNumber, &defaultAction, nullptr);
    raise(signalNumber);
}

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : kSignals) {
        sigaddset(&set, signalNumber);
    }
    return set;
}

}  // namespace

void platformRemoveTestFileOnInterrupt(const char* path) {
    const sigset_t blocked = handledSignals();
    sigset_t previousMask;
    sigprocmask(SIG_BLOCK, &blocked, &previousMask);
    removalPath = path;
    struct sigaction action {};
    action.sa_handler = removeTestFileAndEnd;
    action.sa_mask = blocked;  // one interrupt at a time
    for (int i = 0; i < kSignalCount; ++i) {
        if (installed[i]) {
            continue;
        }
        struct sigaction previous {};
        if (sigaction(kSignals[i], nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
            continue;  // ignored (nohup): it ends nothing, so there is nothing to clean up
        }
        installed[i] = sigaction(kSignals[i], &action, &previousActions[i]) == 0;
    }
    sigprocmask(SIG_SETMASK, &previousMask, nullptr);
}

void platformForgetTestFileOnInterrupt() {
    for (int i = 0; i < kSignalCount; ++i) {
        if (installed[i]) {
            sigaction(kSignals[i], &previousActions[i], nullptr);
            installed[i] = false;
        }
    }
}
