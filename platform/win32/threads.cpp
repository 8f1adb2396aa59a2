// Worker threads on Windows threads.
#include <windows.h>

#include "platform/core_platform.h"

static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "thread identifiers are 32 bits");

namespace {

// CreateThread wants a WINAPI routine; the record carries the program's own.
DWORD WINAPI threadTrampoline(LPVOID parameter) {
    const PlatformThread* thread = static_cast<const PlatformThread*>(parameter);
    return thread->entry(thread->argument);
}

}  // namespace

bool platformStartThread(PlatformThreadEntry entry, void* argument, PlatformThread* thread,
                         std::uint32_t* identifier) {
    // Filled before the thread exists: it may run and read them at once.
    thread->entry = entry;
    thread->argument = argument;
    thread->handle = nullptr;
    DWORD threadId = 0;
    HANDLE handle = CreateThread(nullptr, 0, threadTrampoline, thread, 0, &threadId);
    if (handle == nullptr) {
        return false;
    }
    thread->handle = handle;
    *identifier = threadId;
    return true;
}

bool platformWaitForThreads(PlatformThread* threads, std::uint32_t count) {
    if (count == 0) {
        return true;
    }
    // One wait covers at most MAXIMUM_WAIT_OBJECTS handles; callers stay within it.
    if (count > MAXIMUM_WAIT_OBJECTS) {
        return false;
    }
    HANDLE handles[MAXIMUM_WAIT_OBJECTS];
    for (std::uint32_t i = 0; i < count; ++i) {
        handles[i] = static_cast<HANDLE>(threads[i].handle);
    }
    const DWORD result = WaitForMultipleObjects(count, handles, TRUE, INFINITE);
    return result < WAIT_OBJECT_0 + count;
}

void platformReleaseThread(PlatformThread* thread) {
    if (thread->handle != nullptr) {
        CloseHandle(static_cast<HANDLE>(thread->handle));
        thread->handle = nullptr;
    }
}
