// SSE2 and AVX flavors, on every system: they do their double arithmetic
// without the x87 unit, so there is no precision to set.
#include "platform/core_platform.h"

int platformX87PrecisionControl() {
    return -1;
}
