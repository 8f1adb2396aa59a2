// The end of main: a batch run of the tests, or the interactive menu.
#pragma once

#include "core/machine_types.h"

// CPU and memory tests, then the disk test when a destination is set.
void runBatch(ThreadCount threadCount);
// The one-letter menu until a choice other than c, m, d or a; then the farewell.
void runMenu(ThreadCount threadCount);
