#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace {

// A symbolic link or junction at path would send the writes elsewhere; refuse it
// like the POSIX layer's O_NOFOLLOW does. A missing file is fine (fopen creates it).
bool isReparsePoint(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

std::FILE* platformOpenCommittedFile(const char* path) {
    if (isReparsePoint(path)) {
        return nullptr;
    }
    // "c": msvcrt commits the file (FlushFileBuffers) on every fflush of the stream.
    return std::fopen(path, "wbc");
}

std::FILE* platformOpenProbeFile(const char* path) {
    if (isReparsePoint(path)) {
        return nullptr;
    }
    return std::fopen(path, "wb");
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

bool platformOpenLogFile(std::ofstream& log, const char* path) {
    // libstdc++ opens through msvcrt's fopen, which is _fsopen(..., _SH_DENYNO):
    // share mode FILE_SHARE_READ | FILE_SHARE_WRITE, text mode ("\n" -> CR LF).
    log.open(path, std::ios_base::out | std::ios_base::trunc);
    return log.is_open() && !log.bad();
}
