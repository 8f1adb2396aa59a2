// Test helper, a process of its own: opens a file that another process holds
// open, once for reading and once for writing, with the share mode a reader
// such as an editor or "type" uses, and copies what it read into a second file.
// Exit status: 0 done, 2 the read open was refused, 3 the write open was
// refused, 4 any other failure.
#include <windows.h>

#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 4;
    }
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE reader = CreateFileA(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader == INVALID_HANDLE_VALUE) {
        return 2;
    }
    std::vector<char> content(1 << 16);
    DWORD got = 0;
    const BOOL read = ReadFile(reader, content.data(), static_cast<DWORD>(content.size()), &got,
                               nullptr);
    CloseHandle(reader);
    if (!read) {
        return 4;
    }
    HANDLE writer = CreateFileA(argv[1], GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer == INVALID_HANDLE_VALUE) {
        return 3;
    }
    CloseHandle(writer);

    HANDLE copy = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (copy == INVALID_HANDLE_VALUE) {
        return 4;
    }
    DWORD written = 0;
    const BOOL wrote = WriteFile(copy, content.data(), got, &written, nullptr);
    CloseHandle(copy);
    return wrote && written == got ? 0 : 4;
}
