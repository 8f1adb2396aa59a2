// Calibration loop: an empty post-decrement count-down.
#include "core/workloads.h"

#include "core/workloads/block_size.h"

WorkStatus calibrationWorkload(WorkCount count, WorkArg, const char*) {
    WorkCount counter = countDownStart(count);
    while (counter-- > 0) {
    }
    return kStatusOk;
}
