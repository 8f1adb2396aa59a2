// Runs one of the helper programs built next to the Win32 tests, with the
// arguments given, and waits for its end. Under Wine Z: is the Unix root.
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

// Its exit status; 99 when it could not be started (a failure of the test).
inline DWORD runHelper(const char* unixPath, const std::string& arguments, DWORD flags = 0) {
    std::string program = std::string("Z:") + unixPath;
    for (char& c : program) {
        c = c == '/' ? '\\' : c;
    }
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program << ", error " << GetLastError();
        return 99;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 99;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
