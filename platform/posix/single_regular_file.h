// What the disk test may truncate or remove on POSIX, and the lock a run
// holds on it. Both are async-signal-safe, for the interrupt handler.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

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
