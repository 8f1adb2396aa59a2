// Files on Windows: the disk workload's committed file and the probe.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>

#include "platform/platform.h"

namespace {

// What the disk test may truncate: a file on a disk, not a directory, not a
// symbolic link or junction (which would send the writes elsewhere), and with
// no second name whose contents would go with it.
bool isSingleRegularFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
           info.nNumberOfLinks == 1 && GetFileType(handle) == FILE_TYPE_DISK;
}

// Opens path first and then checks what was opened, so that nothing can be
// put at path between the check and the open; truncates only then, and hands
// the handle to the C runtime with mode ("wbc" or "wb"). Shared for reading
// and writing, as fopen shares it.
std::FILE* openRegularForWriting(const char* path, const char* mode) {
    const HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (!isSingleRegularFile(handle) || !SetEndOfFile(handle)) {
        CloseHandle(handle);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, mode);
    if (stream == nullptr) {
        _close(fd);  // and the handle with it
    }
    return stream;
}

}  // namespace

std::FILE* platformOpenCommittedFile(const char* path) {
    // "c": msvcrt commits the file (FlushFileBuffers) on every fflush of the stream.
    return openRegularForWriting(path, "wbc");
}

std::FILE* platformOpenProbeFile(const char* path) {
    return openRegularForWriting(path, "wb");
}

bool platformCommitFlush(std::FILE* stream) {
    // The commit mode of platformOpenCommittedFile turns this into flush + commit;
    // fflush reports a failed commit as EOF. A second _commit here would double
    // the disk work of every pass that the disk test measures.
    return std::fflush(stream) == 0;
}

const char* platformTestFileSuffix() {
    return "\\test.io";
}
