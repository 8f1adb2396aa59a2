// The CPU test.
#pragma once
#include "core/machine_types.h"
// Calibrates the one-core rate and measures the four CPU phases.
void cpuTest(ThreadCount threadCount);
