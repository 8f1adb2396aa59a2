// Raising the process priority at the start of a test, with its warnings.
#pragma once

// Realtime, else High (CPU and memory tests). The tests set Normal themselves
// at each of their ends.
void raiseTestPriority();

// High only; the disk test leaves it in force.
void raiseDiskPriority();
