// The x87 flavors' start-up precision (built only for flavors whose double
// arithmetic is x87 code).
#include <gtest/gtest.h>

#include "platform/core_platform.h"

namespace {

// Nothing in the tests touches the control word, so this is what start-up set.
TEST(X87Precision, SetToDoubleBeforeMain) {
    EXPECT_EQ(platformX87PrecisionControl(), 2);
}

TEST(X87Precision, IntermediatesRoundToDouble) {
    // 1 + 2^-53 is a tie that rounds to 1 in double; an x87 register at 64-bit
    // precision would keep the 2^-53 through the whole expression.
    volatile double one = 1.0;
    volatile double half_ulp = 1.0 / 9007199254740992.0;
    const double difference = (one + half_ulp) - one;
    EXPECT_EQ(difference, 0.0);
}

}  // namespace
