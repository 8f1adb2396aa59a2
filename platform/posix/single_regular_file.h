// What the disk test may truncate or remove on POSIX, the lock a run holds on
// it and the directory it lies in. All of it is async-signal-safe, for the
// interrupt handler.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

// A regular file (not a FIFO, device or directory) with no second name whose
// contents would go with it.
inline bool isSingleRegularFile(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1;
}

// An exclusive record lock on the whole file: what a run writing the file
// holds, and what F_GETLK asks about.
inline struct flock wholeFileWriteLock() {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

// The last component of path: the test file's name in its directory.
inline const char* testFileName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash == nullptr ? path : slash + 1;
}

// The directory that the latest probe or timed run opened for its file (a
// descriptor, -1 for none). The file is created and removed relative to it,
// and an interrupt removes it there, so whatever happens to the directory's
// path meanwhile (a rename) the file goes from where it was made. Lock-free,
// so that the handler can read it.
inline std::atomic<int> testFileDirectory{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read by a signal handler");

// Makes directory (an open descriptor, or -1) the test file's directory and
// closes the one it replaces.
inline void replaceTestFileDirectory(int directory) {
    const int replaced = testFileDirectory.exchange(directory);
    if (replaced >= 0) {
        close(replaced);
    }
}
