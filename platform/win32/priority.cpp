// Process priority on Windows: the three priority classes.
#include <windows.h>

#include "platform/core_platform.h"

bool platformSetPriorityClass(PlatformPriorityClass priorityClass) {
    DWORD windowsClass = NORMAL_PRIORITY_CLASS;
    if (priorityClass == kPriorityClassHigh) {
        windowsClass = HIGH_PRIORITY_CLASS;
    } else if (priorityClass == kPriorityClassRealtime) {
        windowsClass = REALTIME_PRIORITY_CLASS;
    }
    // Exactly what the system answered: without the privilege Windows may
    // quietly give high for realtime and still report success.
    return SetPriorityClass(GetCurrentProcess(), windowsClass) != 0;
}
