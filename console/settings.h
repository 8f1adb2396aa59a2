// Process-wide settings of the test console.
#pragma once

#include "core/machine_types.h"

// Number of timed passes of each measurement phase; set by the first argument.
extern CycleCount cycleCount;
// Directory of the disk test, null until the fourth argument or the disk
// test's prompt sets it; never changed once set.
extern const char* destinationPath;
