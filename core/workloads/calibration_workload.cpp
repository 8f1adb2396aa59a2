// Calibration loop: an empty post-decrement count-down.
#include "core/workloads.h"

#include "core/workloads/count_down.h"

WorkStatus calibrationWorkload(WorkCount count, WorkArg, const char*) {
    WorkCount counter = countDownStart(count);
    while (counter-- > 0) {
    }
    return kStatusOk;
}
