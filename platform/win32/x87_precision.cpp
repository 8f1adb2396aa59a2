#include <float.h>

#include "platform/platform.h"

namespace {

// Double precision for every x87 operation, as the SSE2 flavors have it. Runs
// during start-up, before main; this object file is linked whole for that.
bool setDoublePrecision() {
    _controlfp(_PC_53, _MCW_PC);
    return true;
}

[[maybe_unused]] const bool doublePrecisionSet = setDoublePrecision();

}  // namespace

int platformX87PrecisionControl() {
    unsigned short controlWord = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(controlWord));
    return (controlWord >> 8) & 3;
}
