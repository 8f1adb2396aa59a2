// What the disk test may truncate or remove on Windows.
#pragma once

#include <windows.h>

// A file on a disk, not a directory, not a symbolic link or junction (which
// would send the writes elsewhere), and with no second name whose contents
// would go with it. The handle needs FILE_READ_ATTRIBUTES.
inline bool isSingleRegularFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
           info.nNumberOfLinks == 1 && GetFileType(handle) == FILE_TYPE_DISK;
}

// Has the file go when its last handle is closed. The handle needs DELETE.
inline bool markForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != 0;
}
