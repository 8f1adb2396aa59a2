// What the measurement core takes from the operating system: the counter, the
// worker threads, the process priority, the disk workload's test file and the
// x87 precision its arithmetic runs at. One implementation per platform lives
// beside this file (posix/, win32/); CMake picks one. Each concern sits in a
// file of its own so that tests can link a stand-in for exactly one of them.
#pragma once

#include <cstdint>
#include <cstdio>

// --- High-resolution counter (counter.cpp) -------------------------------
// Ticks per second of the counter. False when it can't be read.
bool platformCounterFrequency(std::int64_t* ticksPerSecond);
// Current counter value; never goes backwards. False when it can't be read.
bool platformCounterValue(std::int64_t* ticks);

// --- Worker threads (threads.cpp) ------------------------------------------
using PlatformThreadEntry = std::uint32_t (*)(void* argument);

// Everything one worker needs. The caller keeps it in place from the start
// of the thread until platformReleaseThread, since the thread reads it.
struct PlatformThread {
    PlatformThreadEntry entry;
    void* argument;
    void* handle;  // the platform's handle, owned by the layer
};

// Starts entry(argument) on a new thread that runs at once; fills *thread and
// *identifier. False when the thread could not be started.
bool platformStartThread(PlatformThreadEntry entry, void* argument, PlatformThread* thread,
                         std::uint32_t* identifier);
// Blocks until every one of the count threads has ended. False when the wait
// failed; the threads may then still be running.
bool platformWaitForThreads(PlatformThread* threads, std::uint32_t count);
// Releases the handle of a thread that has ended.
void platformReleaseThread(PlatformThread* thread);

// --- Process priority (priority.cpp) ---------------------------------------
enum PlatformPriorityClass { kPriorityClassNormal, kPriorityClassHigh, kPriorityClassRealtime };
// Applies the class to the process (and the threads it starts from now on).
// True when the operating system accepted it.
bool platformSetPriorityClass(PlatformPriorityClass priorityClass);

// --- The disk workload's test file (files.cpp) -----------------------------
// Opens path for the disk workload: created, or truncated when it is a regular
// file with no other name, binary, every platformCommitFlush of it reaching the
// disk. Never follows a symbolic link at path (Windows: nor a Unix one under
// Wine), never truncates a file that has a second (hard) link and never blocks
// on a special file. POSIX opens the directory of path for each call and makes
// and removes the file there, whatever its path becomes (one test file at a
// time). The file is held for this process alone: when another process holds
// it (another run writing it, of either build under Wine), nothing is
// truncated, the result is null and *inUse is set true; on every other failure
// *inUse is false. (Windows: the file also goes when the process ends with it
// open.)
std::FILE* platformOpenCommittedFile(const char* path, bool* inUse);
// Flushes the stream and has the system write the file's data to the disk
// before returning. False when any part of that failed.
bool platformCommitFlush(std::FILE* stream);
// Closes the disk workload's stream and removes its file, without letting
// another run take the same file in between (POSIX removes the name while the
// lock is still held). True when the file is gone; false when it is left
// somewhere, e.g. under a name in a directory that was renamed meanwhile
// (Windows under Wine) or in one that keeps its files (append-only).
bool platformCloseAndRemoveTestFile(std::FILE* stream, const char* path);

// --- Floating point (x87_precision.cpp, only in the x87 flavors) -----------
// The x87 flavors set the precision control to 53 bits before main; this
// reports the precision control bits now in force (0 = 24, 2 = 53, 3 = 64 bits)
// or -1 in builds without x87 arithmetic.
int platformX87PrecisionControl();
