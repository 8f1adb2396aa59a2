// The fractional number format of the lines and records.
#include "console/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FormatDouble, SixSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(formatDouble(2500.0), "2500");
    EXPECT_EQ(formatDouble(9846.1538), "9846.15");
    EXPECT_EQ(formatDouble(106666.67), "106667");
    EXPECT_EQ(formatDouble(391.007), "391.007");
    EXPECT_EQ(formatDouble(4166.6666667), "4166.67");
    EXPECT_EQ(formatDouble(81.037277), "81.0373");
    EXPECT_EQ(formatDouble(0.0001), "0.0001");
    EXPECT_EQ(formatDouble(0.0), "0");
    EXPECT_EQ(formatDouble(999999.0), "999999");
    EXPECT_EQ(formatDouble(-2500.5), "-2500.5");
}

TEST(FormatDouble, ExponentHasSignAndThreeDigits) {
    EXPECT_EQ(formatDouble(999999.5), "1e+006");
    EXPECT_EQ(formatDouble(1e6), "1e+006");
    EXPECT_EQ(formatDouble(1.5e6), "1.5e+006");
    EXPECT_EQ(formatDouble(1234567.0), "1.23457e+006");
    EXPECT_EQ(formatDouble(0.00009), "9e-005");
    EXPECT_EQ(formatDouble(1.5e-7), "1.5e-007");
    EXPECT_EQ(formatDouble(-1.5e7), "-1.5e+007");
    EXPECT_EQ(formatDouble(-0.00009), "-9e-005");
    EXPECT_EQ(formatDouble(1e100), "1e+100");
    EXPECT_EQ(formatDouble(1e-300), "1e-300");
    EXPECT_EQ(formatDouble(std::numeric_limits<double>::max()), "1.79769e+308");
}

TEST(FormatDouble, NonFiniteValuesAreTheSameEverywhere) {
    EXPECT_EQ(formatDouble(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(formatDouble(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(formatDouble(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(formatDouble(-std::numeric_limits<double>::quiet_NaN()), "nan");
}

}  // namespace
