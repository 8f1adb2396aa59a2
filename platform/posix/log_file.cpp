// The log file on POSIX: its open, and which file it is.
#include <sys/stat.h>

#include "platform/console_platform.h"

namespace {

struct LogIdentity {
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
};

LogIdentity logIdentity;

}  // namespace

bool platformOpenLogFile(std::ofstream& log, const char* path) {
    log.open(path, std::ios::out | std::ios::trunc);
    if (log.bad() || !log.is_open()) {
        return false;
    }
    // The stream doesn't show its descriptor; right after the open the name
    // still leads to the file it opened.
    struct stat info {};
    logIdentity.known = stat(path, &info) == 0;
    logIdentity.device = info.st_dev;
    logIdentity.inode = info.st_ino;
    return true;
}

bool platformIsLogFile(const char* path) {
    struct stat info {};
    return logIdentity.known && lstat(path, &info) == 0 && info.st_dev == logIdentity.device &&
           info.st_ino == logIdentity.inode;
}
