// The POSIX counter, run for real.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/core_platform.h"

namespace {

TEST(PosixCounter, NanosecondsThatNeverGoBackwards) {
    std::int64_t frequency = 0;
    ASSERT_TRUE(platformCounterFrequency(&frequency));
    EXPECT_EQ(frequency, 1000000000);

    std::int64_t previous = 0;
    ASSERT_TRUE(platformCounterValue(&previous));
    EXPECT_GT(previous, 0);
    for (int i = 0; i < 100000; ++i) {
        std::int64_t now = 0;
        ASSERT_TRUE(platformCounterValue(&now));
        ASSERT_GE(now, previous);
        previous = now;
    }
}

}  // namespace
