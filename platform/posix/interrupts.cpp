// Signals during the disk test on POSIX: every signal that would end the
// process removes the test file, then ends the process as it would have.
//
// Handled: each signal whose default action ends the process and that can be
// caught, real-time signals included, except the faults of the program itself
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS, SIGABRT): a debugger, a
// sanitizer or the core dump sees those as they happened. SIGXFSZ (a file-size
// limit) is ignored instead, so that the write that meets the limit fails and
// the disk test reports it and removes its file.
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "platform/console_platform.h"
#include "platform/posix/single_regular_file.h"

namespace {

constexpr int kEndingSignals[] = {
    SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
    SIGPOLL, SIGVTALRM, SIGPROF, SIGXCPU,
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
};

bool isHandled(int signalNumber) {
    for (int ending : kEndingSignals) {
        if (ending == signalNumber) {
            return true;
        }
    }
    return signalNumber >= SIGRTMIN && signalNumber <= SIGRTMAX;
}

// The name of the test file in testFileDirectory. A fixed buffer, written
// only while the handled signals are blocked; the handler reads nothing else
// but that descriptor.
char removalName[NAME_MAX + 1];
struct sigaction previousActions[NSIG];
bool installed[NSIG] = {};
struct sigaction previousFileSizeAction;
bool fileSizeIgnored = false;

// Async-signal-safe calls only. A file another process holds locked is that
// run's own; our own lock never shows as a conflict, so an unlocked regular
// file with a single name is ours or a leftover, and goes.
void removeTestFileAndEnd(int signalNumber) {
    const int directory = testFileDirectory.load();
    if (directory >= 0 && removalName[0] != '\0') {
        const int fd =
            openat(directory, removalName, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            struct flock lock = wholeFileWriteLock();
            if (isSingleRegularFile(fd) && fcntl(fd, F_GETLK, &lock) == 0 &&
                lock.l_type == F_UNLCK) {
                unlinkat(directory, removalName, 0);
            }
            // Closing this descriptor drops every record lock the process
            // holds on the file, a timed run's own among them. That is safe:
            // the descriptor is the handler's own (no code it interrupted
            // uses it), the name went first, and the process ends below, so
            // no other run can take the file while this one still writes it.
            close(fd);
        }
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
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        if (isHandled(signalNumber)) {
            sigaddset(&set, signalNumber);
        }
    }
    return set;
}

}  // namespace

void platformRemoveTestFileOnInterrupt(const char* path) {
    const sigset_t blocked = handledSignals();
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &blocked, &previousMask);
    // A longer name can name no file, so there is nothing to remove.
    const char* name = testFileName(path);
    const bool fits = std::strlen(name) < sizeof(removalName);
    std::strcpy(removalName, fits ? name : "");
    struct sigaction action {};
    action.sa_handler = removeTestFileAndEnd;
    action.sa_mask = blocked;  // one signal at a time
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        if (installed[signalNumber] || !isHandled(signalNumber)) {
            continue;
        }
        struct sigaction previous {};
        if (sigaction(signalNumber, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
            continue;  // ignored (nohup): it ends nothing, so there is nothing to clean up
        }
        installed[signalNumber] =
            sigaction(signalNumber, &action, &previousActions[signalNumber]) == 0;
    }
    if (!fileSizeIgnored) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        fileSizeIgnored = sigaction(SIGXFSZ, &ignore, &previousFileSizeAction) == 0;
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
}

void platformForgetTestFileOnInterrupt() {
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        if (installed[signalNumber]) {
            sigaction(signalNumber, &previousActions[signalNumber], nullptr);
            installed[signalNumber] = false;
        }
    }
    if (fileSizeIgnored) {
        sigaction(SIGXFSZ, &previousFileSizeAction, nullptr);
        fileSizeIgnored = false;
    }
    // No handler reads it any more: the directory is let go.
    replaceTestFileDirectory(-1);
}
