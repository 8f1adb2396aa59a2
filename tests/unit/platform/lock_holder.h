// Another process holding a file as a run writing it does: open, with a write
// lock on the whole file.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

struct LockHolder {
    pid_t pid;     // -1 when the lock could not be taken
    int release;   // closing it lets the holder end
};

inline LockHolder holdLocked(const std::string& path) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) {
        return {-1, -1};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(release[1]);
        const int fd = open(path.c_str(), O_WRONLY);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const char locked = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
        char ignored = 0;
        _exit(write(ready[1], &locked, 1) == 1 && read(release[0], &ignored, 1) >= 0 ? 0 : 2);
    }
    close(ready[1]);
    close(release[0]);
    char locked = 0;
    const bool held = child > 0 && read(ready[0], &locked, 1) == 1 && locked == 'y';
    close(ready[0]);
    return {held ? child : -1, release[1]};
}

inline void releaseHolder(const LockHolder& holder) {
    close(holder.release);
    if (holder.pid > 0) {
        waitpid(holder.pid, nullptr, 0);
    }
}
