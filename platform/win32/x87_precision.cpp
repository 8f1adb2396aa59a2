// x87 flavors: double precision for every x87 operation, set before main.
#include <float.h>

#include "platform/core_platform.h"

namespace {

// Runs during start-up, before main and before any of our floating-point work,
// so that sums, products and quotients round as in the SSE2 builds. This
// object file is linked whole for that.
__attribute__((constructor)) void setDoublePrecision() {
    _controlfp(_PC_53, _MCW_PC);
}

}  // namespace

int platformX87PrecisionControl() {
    unsigned short controlWord = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(controlWord));
    return (controlWord >> 8) & 3;
}
