// Files on POSIX: the disk workload's committed file and the probe.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace {

// Creates or truncates path as a regular file for writing, binary. O_NOFOLLOW
// refuses a symbolic link at path; O_NONBLOCK keeps the open from hanging on a
// FIFO without a reader; anything that isn't a regular file, and a file with a
// second name (whose other name's contents would go), is refused before it is
// truncated or written.
std::FILE* openRegularForWriting(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    const bool singleRegular =
        fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1;
    const int flags = singleRegular ? fcntl(fd, F_GETFL) : -1;
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

std::FILE* platformOpenCommittedFile(const char* path) {
    // There is no commit mode letter here; platformCommitFlush does its work.
    return openRegularForWriting(path);
}

std::FILE* platformOpenProbeFile(const char* path) {
    return openRegularForWriting(path);
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
