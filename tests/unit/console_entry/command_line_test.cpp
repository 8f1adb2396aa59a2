// The command line's numbers: odd texts converted, wide ones clamped to 32 bits.
#include "console/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(ArgumentNumber, OddTextsAreConvertedNotRejected) {
    EXPECT_EQ(parseArgumentNumber("7"), 7);
    EXPECT_EQ(parseArgumentNumber("  +12"), 12);
    EXPECT_EQ(parseArgumentNumber("\t-3"), -3);
    EXPECT_EQ(parseArgumentNumber("12abc"), 12);
    EXPECT_EQ(parseArgumentNumber("abc"), 0);
    EXPECT_EQ(parseArgumentNumber(""), 0);
    EXPECT_EQ(parseArgumentNumber("-h"), 0);
    EXPECT_EQ(parseArgumentNumber("/h"), 0);
    EXPECT_EQ(parseArgumentNumber("0x10"), 0);
    EXPECT_EQ(parseArgumentNumber("010"), 10);
}

TEST(ArgumentNumber, ClampsToThirtyTwoBits) {
    EXPECT_EQ(parseArgumentNumber("2147483647"), 2147483647);
    EXPECT_EQ(parseArgumentNumber("2147483648"), 2147483647);
    EXPECT_EQ(parseArgumentNumber("99999999999"), 2147483647);
    EXPECT_EQ(parseArgumentNumber("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseArgumentNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseArgumentNumber("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(parseArgumentNumber("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(parseArgumentNumber("-99999999999999999999999"), -2147483647 - 1);
}

TEST(ThreadCountArgument, TakesTheSameBitsAsUnsigned) {
    EXPECT_EQ(threadCountFromArgument("8"), 8u);
    EXPECT_EQ(threadCountFromArgument("-1"), 4294967295u);
    EXPECT_EQ(threadCountFromArgument("-64"), 4294967232u);
    EXPECT_EQ(threadCountFromArgument("-h"), 0u);
    EXPECT_EQ(threadCountFromArgument("99999999999"), 2147483647u);
    EXPECT_EQ(threadCountFromArgument("-99999999999"), 2147483648u);
}

}  // namespace
