// The record checksum: small texts, and records whose sum wraps at 32 bits.
#include "console/record_checksum.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t bits(const char* text) {
    return static_cast<std::uint32_t>(recordChecksum(text));
}

TEST(RecordChecksum, SmallTexts) {
    EXPECT_EQ(recordChecksum(""), 0);
    EXPECT_EQ(recordChecksum("a"), 97);
    EXPECT_EQ(recordChecksum("abc"), 96354);
    // Bytes above 0x7F count as negative: 97 * 31 - 23, not 97 * 31 + 233.
    EXPECT_EQ(recordChecksum("\x61\xE9"), 2984);
}

TEST(RecordChecksum, RecordsWrapAtThirtyTwoBits) {
    EXPECT_EQ(bits("##MEM;2;64;9846;"), 0xec67c6acu);
    EXPECT_LT(recordChecksum("##MEM;2;64;9846;"), 0);
    EXPECT_EQ(bits("##CPU;1;1250000000;980000000;1430000000;45000000;"), 0x36ffccbu);
    EXPECT_EQ(bits("##SPD;1;2500;4166.67;6666.67;8888.89;9411.76;9696.97;9846.15;9846.15;"
                   "8533.33;7314.29;5120;"),
              0xe968af1u);
}

}  // namespace
