// Stand-in for the platform files (link it instead of the files library): plain
// C streams, with the size of the file and the stream's position recorded at
// every commit, and failures on request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// No failures scripted, the record emptied.
void fakeFilesReset();
// The commit number index (0-based, counted since the reset) fails.
void fakeFilesFailCommitAt(int index);
// The next committed file is opened read-only, so every write to it fails.
void fakeFilesOpenReadOnly();
// Every committed file is held by another run: its opens fail as in use.
void fakeFilesHeldByAnotherRun();
// Committed files are closed but stay where they are.
void fakeFilesRefuseRemoval();
// Opens of committed files since the reset.
int fakeFilesOpens();
// The file's size on disk after the flush of every commit, in order.
const std::vector<std::uintmax_t>& fakeFilesCommitSizes();
// The stream's position at every commit, in order.
const std::vector<long>& fakeFilesCommitPositions();
