// The Win32 priority classes, set for real on this test's own process.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/core_platform.h"

namespace {

DWORD currentClass() {
    return GetPriorityClass(GetCurrentProcess());
}

void restoreNormal() {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

TEST(Win32Priority, NormalAndHighAreAcceptedAndTakeEffect) {
    ASSERT_TRUE(platformSetPriorityClass(kPriorityClassHigh));
    EXPECT_EQ(currentClass(), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    ASSERT_TRUE(platformSetPriorityClass(kPriorityClassNormal));
    EXPECT_EQ(currentClass(), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    restoreNormal();
}

TEST(Win32Priority, RealtimeReportsExactlyWhatTheSystemAnswered) {
    // Ask the system directly first, then through the layer, from the same class.
    const bool systemAnswer =
        SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS) != 0;
    const DWORD systemClass = currentClass();
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);

    EXPECT_EQ(platformSetPriorityClass(kPriorityClassRealtime), systemAnswer);
    // Whatever class the system granted (realtime, or high without the privilege).
    EXPECT_EQ(currentClass(), systemClass);
    restoreNormal();
}

}  // namespace
