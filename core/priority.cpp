// Maps the program's priority levels onto the platform's process classes.
#include "core/priority.h"

#include "platform/core_platform.h"

bool setPriority(PriorityLevel level) {
    PlatformPriorityClass priorityClass = kPriorityClassNormal;
    if (level == High) {
        priorityClass = kPriorityClassHigh;
    } else if (level == Realtime) {
        priorityClass = kPriorityClassRealtime;
    }
    return platformSetPriorityClass(priorityClass);
}
