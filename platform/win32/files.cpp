// Files on Windows: the disk workload's committed file and the probe.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>

#include "platform/console_platform.h"
#include "platform/core_platform.h"
#include "platform/win32/single_regular_file.h"

namespace {

// Opens path first and then checks what was opened, so that nothing can be
// put at path between the check and the open. The first handle only reads
// attributes (it creates the file, conflicts with no holder and keeps nothing
// from being truncated); the file is then reopened through that handle, so it
// is the same file, for writing with a share mode that refuses every other
// writer and every removal: a second run gets a sharing violation, reported
// as in use. flags: FILE_FLAG_DELETE_ON_CLOSE for the committed file, which so
// goes even when the process ends with it open (an interrupt, a crash). The
// handle goes to the C runtime with mode ("wbc" or "wb").
std::FILE* openRegularForWriting(const char* path, DWORD flags, const char* mode, bool* inUse) {
    *inUse = false;
    const HANDLE look = CreateFileA(path, FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (look == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    // Before the reopen: a refused file must not be deleted when it is closed.
    if (!isSingleRegularFile(look)) {
        CloseHandle(look);
        return nullptr;
    }
    const HANDLE handle = ReOpenFile(look, GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                     flags | FILE_FLAG_OPEN_REPARSE_POINT);
    const DWORD reopenError = GetLastError();
    CloseHandle(look);
    if (handle == INVALID_HANDLE_VALUE) {
        *inUse = reopenError == ERROR_SHARING_VIOLATION;
        return nullptr;
    }
    if (!SetEndOfFile(handle)) {
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

std::FILE* platformOpenCommittedFile(const char* path, bool* inUse) {
    // "c": msvcrt commits the file (FlushFileBuffers) on every fflush of the stream.
    return openRegularForWriting(path, FILE_FLAG_DELETE_ON_CLOSE, "wbc", inUse);
}

std::FILE* platformOpenProbeFile(const char* path, bool* inUse) {
    // The probe's empty file stays for the first timed run.
    return openRegularForWriting(path, 0, "wb", inUse);
}

bool platformCloseAndRemoveTestFile(std::FILE* stream, const char*) {
    // Asked for while the file is held, so it goes at the close: nobody can
    // open it in between. (Its delete-on-close flag would remove it anyway;
    // this tells whether the removal was granted.)
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    const bool removed = markForDeletion(handle);
    std::fclose(stream);
    return removed;
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
