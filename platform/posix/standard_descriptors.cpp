// The standard descriptors on POSIX. A program started with one of them
// closed would otherwise hand that number to the next file it opens, and its
// console output would go into that file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/console_platform.h"

void platformOpenStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number is fd itself, as the ones below it are open.
        const int nullDevice = open("/dev/null", O_RDWR);
        if (nullDevice < 0) {
            return;  // nothing better to put there; the program runs as it was started
        }
        if (nullDevice != fd) {
            dup2(nullDevice, fd);
            close(nullDevice);
        }
    }
}
