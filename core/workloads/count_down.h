// The start value of the workloads' count-down loops.
#pragma once

#include "core/machine_types.h"

// The post-decrement count-down "while (n-- > 0)" decrements once more when it
// ends; a start value of the lowest signed count would overflow there. Counts
// below 1 run nothing either way, so they start the loop from 0.
inline WorkCount countDownStart(WorkCount count) {
    return count > 0 ? count : 0;
}
