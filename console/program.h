// main's steps, callable from tests with the standard streams redirected.
#pragma once

// Runs the whole program and returns main's exit status.
int runProgram(int argc, char** argv);

// Exit statuses.
constexpr int kExitNormal = 0;
constexpr int kExitSelfCheckFailed = -1;
constexpr int kExitLogOpenFailed = -5;
constexpr int kExitLogIncomplete = -6;
