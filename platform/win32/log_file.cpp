// The log file on Windows: its open, and which file it is.
#include <windows.h>

#include "platform/console_platform.h"
#include "platform/win32/file_id.h"

namespace {

bool logIdKnown = false;
FileId logId;

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
    return logIdKnown && fileIdOf(path, FILE_FLAG_OPEN_REPARSE_POINT, &id) && id == logId;
}
