#include "platform/platform.h"

// SSE2 and AVX flavors do their double arithmetic without the x87 unit.
int platformX87PrecisionControl() {
    return -1;
}
