// The log file on Windows: its open, and which file it is.
#include <windows.h>

#include "platform/console_platform.h"

namespace {

// A file's ID: the serial number of its volume and its index there.
struct FileId {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

bool logIdKnown = false;
FileId logId;

// flags: 0 follows a reparse point at path, FILE_FLAG_OPEN_REPARSE_POINT doesn't.
bool fileIdOf(const char* path, DWORD flags, FileId* id) {
    // No access asked for: the ID is readable whatever holds the file.
    const HANDLE handle =
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    *id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return known;
}

}  // namespace

bool platformOpenLogFile(std::ofstream& log, const char* path) {
    // libstdc++ opens through msvcrt's fopen, which is _fsopen(..., _SH_DENYNO):
    // share mode FILE_SHARE_READ | FILE_SHARE_WRITE, text mode ("\n" -> CR LF).
    log.open(path, std::ios_base::out | std::ios_base::trunc);
    if (!log.is_open() || log.bad()) {
        return false;
    }
    // The stream doesn't show its handle; right after the open the name still
    // leads to the file it opened.
    logIdKnown = fileIdOf(path, 0, &logId);
    return true;
}

bool platformIsLogFile(const char* path) {
    FileId id;
    return logIdKnown && fileIdOf(path, FILE_FLAG_OPEN_REPARSE_POINT, &id) &&
           id.volume == logId.volume && id.indexHigh == logId.indexHigh &&
           id.indexLow == logId.indexLow;
}
