// What the disk test may truncate or remove on Windows, and the lock a run
// holds on it.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// A file on a disk, not a directory, not a symbolic link or junction (which
// would send the writes elsewhere), and with no second name whose contents
// would go with it. The handle needs FILE_READ_ATTRIBUTES.
inline bool isSingleRegularFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
           info.nNumberOfLinks == 1 && GetFileType(handle) == FILE_TYPE_DISK;
}

// The path of what handle refers to with every link on the way resolved;
// empty when the system can't tell.
inline std::string finalPathOf(HANDLE handle) {
    std::string path(MAX_PATH, '\0');
    DWORD length = GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()), 0);
    if (length >= path.size()) {  // the size it needs, its NUL included
        path.resize(length);
        length = GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()), 0);
    }
    path.resize(length < path.size() ? length : 0);
    return path;
}

// True when file, opened at path, is the file of that name in path's directory
// and not one that a link of that name leads to. Windows reports a link as a
// reparse point (isSingleRegularFile), but Wine opens the target of a Unix
// symbolic link and reports a plain file; its final path, though, is the
// target's. So the file's final path must be the directory's and the name
// (in any case: Windows names are case-blind).
inline bool isTheFileNamed(HANDLE file, const char* path) {
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '\\' || *c == '/') {
            name = c + 1;
        }
    }
    const std::string directoryPath = name == path ? std::string(".") : std::string(path, name);
    const HANDLE directory = CreateFileA(
        directoryPath.c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string expected = finalPathOf(directory);
    CloseHandle(directory);
    if (expected.empty()) {
        return false;
    }
    if (expected.back() != '\\') {
        expected += '\\';  // a root directory ends in one already
    }
    const std::string actual = finalPathOf(file);
    return actual.size() == expected.size() + std::strlen(name) &&
           actual.compare(0, expected.size(), expected) == 0 &&
           _stricmp(actual.c_str() + expected.size(), name) == 0;
}

// The bytes a run locks while it holds its file: the first handle while it
// checks and truncates nothing yet, then the writing one (a handle can't take
// a byte another handle holds). Under Wine such a lock is a POSIX record lock
// on the Unix side, so it keeps out a run of the Linux build (which locks the
// whole file) and meets the lock of one. The bytes lie beyond anything the
// test writes (the last ones a 32-bit offset names), since a Windows lock
// keeps other handles from writing the bytes it covers.
constexpr DWORD kCheckLockByte = 0x7FFFFFFF;
constexpr DWORD kWriteLockByte = 0x7FFFFFFE;

// Locks the byte at offset through handle, without waiting; false, with
// ERROR_LOCK_VIOLATION, while another holds it. The handle needs read or
// write access; the lock goes with it.
inline bool lockByte(HANDLE handle, DWORD offset) {
    OVERLAPPED at = {};
    at.Offset = offset;
    const DWORD mode = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;
    return LockFileEx(handle, mode, 0, 1, 0, &at) != 0;
}

// Has the file go when its last handle is closed. The handle needs DELETE.
inline bool markForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != 0;
}
