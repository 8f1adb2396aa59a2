// What the test console takes from the operating system: the disk test's
// probe and file name, interrupts during the disk test, console input, the log
// file and the standard descriptors. One implementation per platform lives
// beside this file (posix/, win32/), as for core_platform.h.
#pragma once

#include <cstdio>
#include <fstream>

// --- The disk test's directory (files.cpp) ---------------------------------
// Opens path as the disk test's probe ("wb"), with the care about links and
// the hold that platformOpenCommittedFile (core_platform.h) has; the hold is
// released when the stream is closed.
std::FILE* platformOpenProbeFile(const char* path, bool* inUse);
// The separator and name of the disk test's file, appended to a directory.
const char* platformTestFileSuffix();

// --- Interrupts (interrupts.cpp) --------------------------------------------
// From now until platformForgetTestFileOnInterrupt, a signal that would end the
// process (POSIX: all but the faults of the program itself; Windows: Ctrl+C,
// Ctrl+Break, closing the console) first removes the test file unless another
// process holds it, and then ends the process as it would have ended without
// this. POSIX removes the file of path's name from the directory where the
// latest probe or timed run made it, Windows the file at path. A later call
// replaces the path. Signals the process ignores (started under nohup) stay
// ignored. POSIX ignores SIGXFSZ meanwhile: a write beyond a file-size limit
// fails instead of ending the process.
void platformRemoveTestFileOnInterrupt(const char* path);
// Signals act as they did before platformRemoveTestFileOnInterrupt, and the
// test file's directory is let go.
void platformForgetTestFileOnInterrupt();

// --- Console input (console_input.cpp) -------------------------------------
// Drops input the user typed ahead at a terminal (what the terminal holds and
// what the standard input stream buffered). Input from a pipe or a file is
// left alone, so scripted answers are read line by line.
void platformDiscardTypedAhead();

// --- Log file and standard descriptors (log_file.cpp, standard_descriptors.cpp)
// Opens the log: output, truncate, text mode, readable by other processes
// while it is written; the stream's buffering is the caller's. True when the
// stream is open and not bad; the file it opened is then remembered for
// platformIsLogFile.
bool platformOpenLogFile(std::ofstream& log, const char* path);
// True when path names the file that platformOpenLogFile opened: the same
// file (device and inode, or volume and file index), under whatever name. A
// symbolic link at path is not followed. False while no log was opened.
bool platformIsLogFile(const char* path);
// Puts the null device on each of the standard descriptors 0, 1 and 2 that is
// not open, so that no file opened later takes the place of the console or its
// input. Called first thing, before the program opens any file.
void platformOpenStandardDescriptors();
