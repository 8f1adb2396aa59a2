// What the program takes from the operating system. One implementation per
// platform lives beside this file (posix/, win32/); CMake picks one. Each
// concern sits in a file of its own so that tests can link a stand-in for
// exactly one of them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>

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

// --- Files (files.cpp, log_file.cpp, standard_descriptors.cpp) --------------
// Opens path for the disk workload: created, or truncated when it is a regular
// file with no other name, binary, every platformCommitFlush of it reaching the
// disk. Never follows a symbolic link at path, never truncates a file that has
// a second (hard) link and never blocks on a special file. The file is held
// for this process alone: when another process holds it (another run writing
// it), nothing is truncated, the result is null and *inUse is set true; on
// every other failure *inUse is false. (Windows: the file also goes when the
// process ends with it open.)
std::FILE* platformOpenCommittedFile(const char* path, bool* inUse);
// Opens path as the disk test's probe ("wb"), with the same care about links
// and the same hold (released when the stream is closed).
std::FILE* platformOpenProbeFile(const char* path, bool* inUse);
// Closes the disk workload's stream and removes its file, without letting
// another run take the same file in between (POSIX removes the name while the
// lock is still held). True when the file is gone (also when there was none).
bool platformCloseAndRemoveTestFile(std::FILE* stream, const char* path);
// Flushes the stream and has the system write the file's data to the disk
// before returning. False when any part of that failed.
bool platformCommitFlush(std::FILE* stream);
// The separator and name of the disk test's file, appended to a directory.
const char* platformTestFileSuffix();
// Opens the log: output, truncate, text mode, unbuffered (each insertion is
// written to the file at once), readable by other processes while it is
// written. True when the stream is open and not bad; the file it opened is
// then remembered for platformIsLogFile.
bool platformOpenLogFile(std::ofstream& log, const char* path);
// True when path names the file that platformOpenLogFile opened: the same
// file (device and inode, or volume and file index), under whatever name. A
// symbolic link at path is not followed. False while no log was opened.
bool platformIsLogFile(const char* path);
// Puts the null device on each of the standard descriptors 0, 1 and 2 that is
// not open, so that no file opened later takes the place of the console or its
// input. Called first thing, before the program opens any file.
void platformOpenStandardDescriptors();

// --- Interrupts (interrupts.cpp) --------------------------------------------
// From now until platformForgetTestFileOnInterrupt, an interrupt (SIGINT,
// SIGTERM, SIGHUP; on Windows Ctrl+C, Ctrl+Break, closing the console) first
// removes the file at path unless another process holds it, and then ends the
// process as it would have ended without this. A later call replaces the path.
// Signals the process ignores (started under nohup) stay ignored.
void platformRemoveTestFileOnInterrupt(const char* path);
// Interrupts act as they did before platformRemoveTestFileOnInterrupt.
void platformForgetTestFileOnInterrupt();

// --- Console input (console_input.cpp) -------------------------------------
// Drops input the user typed ahead at a terminal (what the terminal holds and
// what the standard input stream buffered). Input from a pipe or a file is
// left alone, so scripted answers are read line by line.
void platformDiscardTypedAhead();

// --- Floating point (x87_precision.cpp, only in the x87 flavors) -----------
// The x87 flavors set the precision control to 53 bits before main; this
// reports the precision control bits now in force (0 = 24, 2 = 53, 3 = 64 bits)
// or -1 in builds without x87 arithmetic.
int platformX87PrecisionControl();
