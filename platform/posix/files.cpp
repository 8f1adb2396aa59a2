// Files on POSIX: the disk workload's committed file and the probe.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/console_platform.h"
#include "platform/core_platform.h"
#include "platform/posix/single_regular_file.h"

namespace {

// An exclusive record lock on the whole file, without waiting. Another run of
// the program holds the same lock while it writes the file; a leftover file
// holds none. A process never conflicts with its own locks.
bool lockWholeFile(int fd, bool* inUse) {
    struct flock lock = wholeFileWriteLock();
    if (fcntl(fd, F_SETLK, &lock) == 0) {
        return true;
    }
    *inUse = errno == EAGAIN || errno == EACCES;
    return false;
}

// The directory part of path, its last separator included ("." when there is
// none).
std::string directoryOf(const char* path) {
    const char* name = testFileName(path);
    return name == path ? std::string(".") : std::string(path, name);
}

// Creates or truncates path as a regular file for writing, binary, in the
// directory it opens for it (testFileDirectory). O_NOFOLLOW refuses a
// symbolic link at path; O_NONBLOCK keeps the open from hanging on a FIFO
// without a reader; anything that isn't a regular file, and a file with a
// second name (whose other name's contents would go), is refused before it is
// truncated or written; so is a file another run holds locked.
std::FILE* openRegularForWriting(const char* path, bool* inUse) {
    *inUse = false;
    // O_PATH: a directory that may be written but not listed is fine too.
    const int directory = open(directoryOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) {
        return nullptr;
    }
    // Before the file can be there: an interrupt removes it from this directory.
    replaceTestFileDirectory(directory);
    const int fd = openat(directory, testFileName(path),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    const int flags =
        isSingleRegularFile(fd) && lockWholeFile(fd, inUse) ? fcntl(fd, F_GETFL) : -1;
    if (flags < 0 || ftruncate(fd, 0) != 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* stream = fdopen(fd, "wb");
    if (stream == nullptr) {
        close(fd);
    }
    return stream;
}

}  // namespace

std::FILE* platformOpenCommittedFile(const char* path, bool* inUse) {
    // There is no commit mode letter here; platformCommitFlush does its work.
    return openRegularForWriting(path, inUse);
}

std::FILE* platformOpenProbeFile(const char* path, bool* inUse) {
    return openRegularForWriting(path, inUse);
}

bool platformCloseAndRemoveTestFile(std::FILE* stream, const char* path) {
    // The name goes first, closing drops the lock; it goes from the directory
    // the file was made in, and only while it still names this file.
    const int fd = fileno(stream);
    const int directory = testFileDirectory.load();
    const char* name = testFileName(path);
    struct stat file {};
    struct stat named {};
    if (fstat(fd, &file) == 0 && fstatat(directory, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == file.st_dev && named.st_ino == file.st_ino) {
        unlinkat(directory, name, 0);
    }
    // Gone only when no name of it is left anywhere.
    const bool removed = fstat(fd, &file) == 0 && file.st_nlink == 0;
    std::fclose(stream);
    return removed;
}

bool platformCommitFlush(std::FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
    const int fd = fileno(stream);
    if (fdatasync(fd) == 0) {
        return true;
    }
    // Some file systems implement only the full sync.
    return errno == EINVAL && fsync(fd) == 0;
}

const char* platformTestFileSuffix() {
    return "/test.io";
}
