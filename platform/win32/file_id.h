// Which file a handle or a path is, on Windows: the serial number of its
// volume and its index there. The disk test's close and the log's check ask.
#pragma once

#include <windows.h>

struct FileId {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

inline bool operator==(const FileId& a, const FileId& b) {
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

inline bool fileIdOf(HANDLE handle, FileId* id) {
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(handle, &info)) {
        return false;
    }
    *id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

// flags: 0 follows a reparse point at path, FILE_FLAG_OPEN_REPARSE_POINT doesn't.
inline bool fileIdOf(const char* path, DWORD flags, FileId* id) {
    // No access asked for: the ID is readable whatever holds the file.
    const HANDLE handle =
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = fileIdOf(handle, id);
    CloseHandle(handle);
    return known;
}
