// Process priority levels.
#pragma once

#include "core/machine_types.h"

constexpr PriorityLevel Normal = 1;
constexpr PriorityLevel High = 2;
constexpr PriorityLevel Realtime = 3;

// Sets the process priority class for level (2 high, 3 realtime, anything
// else normal). True when the operating system accepted it.
bool setPriority(PriorityLevel level);
