// The pointer-width self check: the width counted in this build against the
// flavor's stated one, and the line it writes for a match and a mismatch.
#include "console/self_check.h"

#include <gtest/gtest.h>

#include <iostream>

#include "unit/console_entry/stream_capture.h"

namespace {

TEST(SelfCheck, CountsTheWidthOfTheCodeThatRuns) {
    // The width the flavor definition states for its target.
    EXPECT_EQ(countSizeTBits(), TEMBRIX_EXPECTED_WIDTH);
}

TEST(SelfCheck, LineEndsInOkOrInAbortingWithoutLineEnd) {
    StreamCapture console(std::cout);
    EXPECT_TRUE(runSelfCheck(32, 32));
    EXPECT_FALSE(runSelfCheck(64, 32));
    EXPECT_EQ(console.text(),
              "SYS-CHECK: size_t is 32 bits, should be 32 - OK.\n"
              "SYS-CHECK: size_t is 64 bits, should be 32 - Aborting.");
}

}  // namespace
