// Files on Windows: the disk workload's committed file and the probe.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>

#include "platform/console_platform.h"
#include "platform/core_platform.h"
#include "platform/win32/file_id.h"
#include "platform/win32/single_regular_file.h"

namespace {

// A link at the name is opened itself, not followed (Windows links; Wine
// follows a Unix one all the same, see isTheFileNamed).
constexpr DWORD kOpenAttributes = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;

// Hands handle to the C runtime as a stream of mode; null, with the handle
// closed, when that fails.
std::FILE* streamOf(HANDLE handle, const char* mode) {
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

// Reopens the file that a first handle has open at path for writing, with a
// share mode that refuses every other writer and every removal; the first
// handle is closed. The first handle reads only (so it conflicts with no
// Windows holder, which shares reading, and truncates nothing), and what it
// opened must be a single regular file that path names itself, not through a
// link; it locks the check byte, which a Linux run's lock refuses (under
// Wine), and the new handle takes the write byte before the first one lets
// go, so the file is never without a lock. A file held by another run is
// refused as in use: a Windows run's by its share mode, a Linux run's by its
// lock.
HANDLE reopenForWriting(HANDLE look, const char* path, DWORD flags, bool* inUse) {
    // Before the reopen: a refused file must not be deleted when it is closed.
    if (!isSingleRegularFile(look) || !isTheFileNamed(look, path)) {
        CloseHandle(look);
        return INVALID_HANDLE_VALUE;
    }
    if (!lockByte(look, kCheckLockByte)) {
        *inUse = GetLastError() == ERROR_LOCK_VIOLATION;
        CloseHandle(look);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = ReOpenFile(look, GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                               flags | FILE_FLAG_OPEN_REPARSE_POINT);
    *inUse = handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    if (handle != INVALID_HANDLE_VALUE && !lockByte(handle, kWriteLockByte)) {
        // Only a foreign program could hold that byte: the check byte keeps
        // every Linux run out, the share mode every Windows run.
        *inUse = true;
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    CloseHandle(look);
    return handle;
}

// Creates path as the process's own file at once: held, locked and (flags)
// deleted on close from the start, never through a dangling Unix link
// (CREATE_NEW). INVALID_HANDLE_VALUE when that fails, with CreateFileA's error
// (ERROR_FILE_EXISTS: something is there).
HANDLE createNew(const char* path, DWORD flags, bool* inUse) {
    const HANDLE handle = CreateFileA(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, kOpenAttributes | flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE || lockByte(handle, kWriteLockByte)) {
        return handle;
    }
    *inUse = true;  // a Linux run took it in between
    CloseHandle(handle);
    return INVALID_HANDLE_VALUE;
}

// Opens path for writing, truncated, as a regular file that nothing else holds;
// the handle goes to the C runtime with mode ("wbc" or "wb") and holds the file
// until the stream is closed. flags: FILE_FLAG_DELETE_ON_CLOSE for the
// committed file, which so goes even when the process ends with it open (an
// interrupt, a crash). A file that isn't there yet is created (createNew); one
// that is (a leftover, the probe's) is opened first and then checked
// (reopenForWriting), so that nothing can be put at path in between.
std::FILE* openRegularForWriting(const char* path, DWORD flags, const char* mode, bool* inUse) {
    *inUse = false;
    HANDLE handle = createNew(path, flags, inUse);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) {
        const HANDLE look = CreateFileA(path, FILE_READ_DATA | FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, kOpenAttributes, nullptr);
        if (look != INVALID_HANDLE_VALUE) {
            handle = reopenForWriting(look, path, flags, inUse);
        } else if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            handle = createNew(path, flags, inUse);  // gone meanwhile
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (!SetEndOfFile(handle)) {
        CloseHandle(handle);
        return nullptr;
    }
    return streamOf(handle, mode);
}

// True when path, not followed if it is a link, names the file open at handle.
bool namesFile(const char* path, HANDLE handle) {
    FileId file;
    FileId atPath;
    return fileIdOf(handle, &file) && fileIdOf(path, FILE_FLAG_OPEN_REPARSE_POINT, &atPath) &&
           file == atPath;
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

bool platformCloseAndRemoveTestFile(std::FILE* stream, const char* path) {
    // Asked for while the file is held, so it goes at the close: nobody can
    // open it in between. (Its delete-on-close flag would remove it anyway;
    // this tells whether the removal was granted.) Under Wine the file goes
    // by the name it was opened under, and only while that name still leads
    // to it: in a directory renamed on the Unix side meanwhile it stays, and
    // that is reported.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    const bool named = namesFile(path, handle);
    const bool removed = markForDeletion(handle) && named;
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
