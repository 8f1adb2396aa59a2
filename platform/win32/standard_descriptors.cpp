// The standard descriptors on Windows. A program started without a standard
// handle has no file behind that C runtime descriptor: it gets the null device,
// as on POSIX, so that the descriptor never refers to a file opened later.
#include <fcntl.h>
#include <io.h>

#include <cstdint>

#include "platform/console_platform.h"

namespace {

// The runtime marks a descriptor without a handle with -1 (INVALID_HANDLE_VALUE)
// or, in newer runtimes and Wine's, with -2 ("no console").
bool hasHandle(int fd) {
    const std::intptr_t handle = _get_osfhandle(fd);
    return handle != -1 && handle != -2;
}

}  // namespace

void platformOpenStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (hasHandle(fd)) {
            continue;
        }
        const int nullDevice = _open("NUL", _O_RDWR);
        if (nullDevice < 0) {
            return;  // nothing better to put there; the program runs as it was started
        }
        if (nullDevice != fd) {
            _dup2(nullDevice, fd);
            _close(nullDevice);
        }
    }
}
