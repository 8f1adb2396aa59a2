// The priority steps of the tests and the warnings when one is refused.
#include "console/measurements/priority_steps.h"

#include <iostream>

#include "console/console_output.h"
#include "core/priority.h"

namespace {

void warnNoHighPriority() {
    writeConsoleAndLog("WARNING: Can not set process to high priority! Results will be inaccurate.\n");
}

}  // namespace

void raiseTestPriority() {
    if (setPriority(Realtime)) {
        return;
    }
    std::cout << "WARNING: Can not go realtime! Trying high priority.\n";
    if (!setPriority(High)) {
        warnNoHighPriority();
    }
}

void raiseDiskPriority() {
    if (!setPriority(High)) {
        warnNoHighPriority();
    }
}
