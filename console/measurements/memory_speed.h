// The memory test.
#pragma once
#include "core/machine_types.h"
// Measures memory copy throughput at eleven block sizes and at the best one.
void memoryTest(ThreadCount threadCount);
