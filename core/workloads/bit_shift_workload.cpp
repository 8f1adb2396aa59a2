// Bit-shift loop: ten shifts per iteration on a machine word.
#include "core/workloads.h"

// On the signed 64-bit word the value never reaches the sign bit (at most
// 0xFFFFFFFF << 4), so every shift is defined and the value comes back; on the
// unsigned 32-bit word the left shifts push set bits out, so it doesn't.
WorkStatus bitShiftWorkload(WorkCount count, WorkArg, const char*) {
    WorkCount v = 0xFFFFFFFF;
    const WorkCount start = v;
    count = count / 10;
    while (count-- > 0) {
        v = v << 1;
        v = v >> 1;
        v = v << 2;
        v = v >> 2;
        v = v << 3;
        v = v >> 3;
        v = v << 4;
        v = v >> 4;
        v = v << 2;
        v = v >> 2;
    }
    return v == start ? kStatusOk : kStatusShiftMismatch;
}
