// What the workloads do that a test can see: negative counts run nothing, the
// float loop's end value, the bit shift's status, the math and copy calls.
#include "core/workloads.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include "core/workloads/count_down.h"
#include "fakes/counted_memcpy.h"

namespace {

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

#if TEMBRIX_WORD_BITS == 64
TEST(Workloads, NegativeCountsRunNothing) {
    constexpr WorkCount lowest = std::numeric_limits<WorkCount>::min();
    // Where the count-down loops start: from the lowest count their last
    // decrement would overflow.
    EXPECT_EQ(countDownStart(lowest), 0);
    EXPECT_EQ(countDownStart(-5), 0);
    EXPECT_EQ(countDownStart(7), 7);
    EXPECT_EQ(floatCountDown(-5), -5.0);
    EXPECT_EQ(floatCountDown(lowest), static_cast<double>(lowest));
    startRecordingCopies();
    EXPECT_EQ(memcopyWorkload(-5, 1, nullptr), kStatusOk);
    EXPECT_EQ(memcopyWorkload(lowest, 1, nullptr), kStatusOk);
    EXPECT_TRUE(stopRecordingCopies().empty());
}
#endif

TEST(FloatLoop, EndsAtTheFirstValueNotAboveZero) {
    EXPECT_EQ(bitsOf(floatCountDown(0)), bitsOf(0.0));
    // One subtraction of the step, 1.00000000001 as the nearest double: 1 - step,
    // about -1.0000000827e-11.
    EXPECT_EQ(bitsOf(floatCountDown(1)), 0xBDA5FD8000000000u);
    // Two subtractions; a third would leave about -1.
    EXPECT_EQ(bitsOf(floatCountDown(2)), 0xBDB5FD8000000000u);
    // 1000000 subtractions in double arithmetic: the same value in every build.
    const double end = floatCountDown(1000000);
    EXPECT_LE(end, 0.0);
    EXPECT_GT(end, -kFloatStep);
    EXPECT_EQ(bitsOf(end), 0xBEB9A00A9CC00000u);
    EXPECT_EQ(floatWorkload(1000000, 0, nullptr), kStatusOk);
}

TEST(BitShiftLoop, StatusShowsWhetherTheValueCameBack) {
    // Below 10 there is no iteration, so the value is untouched.
    EXPECT_EQ(bitShiftWorkload(9, 0, nullptr), kStatusOk);
    EXPECT_EQ(bitShiftWorkload(1, 0, nullptr), kStatusOk);
#if TEMBRIX_WORD_BITS == 64
    // Signed 64-bit word: arithmetic right shifts give 0xFFFFFFFF back.
    for (WorkCount count : {10, 19, 20, 1000}) {
        EXPECT_EQ(bitShiftWorkload(count, 0, nullptr), kStatusOk) << count;
    }
    EXPECT_EQ(bitShiftWorkload(-100, 0, nullptr), kStatusOk);
#else
    // Unsigned 32-bit word: the left shifts lose the top bits.
    for (WorkCount count : {10u, 19u, 20u, 1000u}) {
        EXPECT_EQ(bitShiftWorkload(count, 0, nullptr), kStatusShiftMismatch) << count;
    }
#endif
}

// Clears both ways a math error can be indicated: some C runtimes set only
// errno (Wine's msvcrt), others the floating-point flags as well.
void clearMathErrors() {
    errno = 0;
    std::feclearexcept(FE_ALL_EXCEPT);
}

bool mathErrorIndicated(int flags) {
    return errno != 0 || std::fetestexcept(flags) != 0;
}

TEST(MathLoop, RunsCountOverFiveIterations) {
    // With arg 0 every iteration takes log(0): a pole error that is indicated
    // and not cleared, which shows whether the loop ran.
    clearMathErrors();
    EXPECT_EQ(mathWorkload(4, 0, nullptr), kStatusOk);
    EXPECT_FALSE(mathErrorIndicated(FE_DIVBYZERO));
    EXPECT_EQ(mathWorkload(5, 0, nullptr), kStatusOk);
    EXPECT_TRUE(mathErrorIndicated(FE_DIVBYZERO));

    // A domain error (square root and log of a negative operand) is indicated
    // too; ordinary operands indicate nothing.
    clearMathErrors();
    EXPECT_EQ(mathWorkload(10, 1024, nullptr), kStatusOk);
    EXPECT_FALSE(mathErrorIndicated(FE_DIVBYZERO | FE_INVALID));
#if TEMBRIX_WORD_BITS == 64
    EXPECT_EQ(mathWorkload(10, -1, nullptr), kStatusOk);
    EXPECT_TRUE(mathErrorIndicated(FE_INVALID));
#endif
    clearMathErrors();
}

// Placed by the workload, not by the allocator: both buffers on a cache line, b
// half a page from a modulo 4 KiB, clear of the aliasing of addresses a few bytes
// apart.
void expectPlaced(const RecordedCopy& first) {
    const auto a = reinterpret_cast<std::uintptr_t>(first.to);
    const auto b = reinterpret_cast<std::uintptr_t>(first.from);
    EXPECT_EQ(a % 64, 0u);
    EXPECT_EQ(b % 64, 0u);
    EXPECT_EQ((b - a) % 4096, 2048u);
}

TEST(MemcopyLoop, FiveWholeBufferCopiesForEveryFifthOfTheCount) {
    struct Case {
        WorkCount count;
        WorkArg kib;
        std::size_t copies;
    };
    for (const Case& c : {Case{4, 1, 0}, Case{5, 1, 5}, Case{10, 1, 10}, Case{14, 2, 10},
                          Case{15, 1024, 15}, Case{5, 4, 5}, Case{5, 256, 5}}) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << ", " << c.kib << " KiB");
        startRecordingCopies();
        EXPECT_EQ(memcopyWorkload(c.count, c.kib, nullptr), kStatusOk);
        const std::vector<RecordedCopy> copies = stopRecordingCopies();
        ASSERT_EQ(copies.size(), c.copies);
        for (std::size_t i = 0; i < copies.size(); ++i) {
            EXPECT_EQ(copies[i].bytes, static_cast<std::size_t>(c.kib) * 1024) << i;
            EXPECT_NE(copies[i].to, copies[i].from) << i;
            // b into a, a into b, b into a, a into b, b into a: each pass alike.
            EXPECT_EQ(copies[i].to, copies[i % 5 % 2].to) << i;
            EXPECT_EQ(copies[i].from, copies[i % 5 % 2].from) << i;
        }
        if (copies.size() > 1) {
            EXPECT_EQ(copies[1].to, copies[0].from);
            expectPlaced(copies[0]);
        }
    }
    EXPECT_EQ(memcopyWorkload(10, 0, nullptr), kStatusOk);
}

TEST(MemcopyLoop, WorkerThreadPlacesItsBuffersAlike) {
    // A thread's allocations may come from elsewhere (glibc: an arena of its own).
    startRecordingCopies();
    std::thread([] { memcopyWorkload(5, 16, nullptr); }).join();
    const std::vector<RecordedCopy> copies = stopRecordingCopies();
    ASSERT_EQ(copies.size(), 5u);
    expectPlaced(copies[0]);
}

TEST(MemcopyLoop, BlockSizeNoBufferCanHaveIsNoMemory) {
    // Larger than half the address space: refused before any allocation.
#if TEMBRIX_WORD_BITS == 64
    EXPECT_EQ(memcopyWorkload(10, WorkArg{1} << 53, nullptr), kStatusNoMemory);
    EXPECT_EQ(memcopyWorkload(10, std::numeric_limits<WorkArg>::max(), nullptr), kStatusNoMemory);
    EXPECT_EQ(memcopyWorkload(10, -1, nullptr), kStatusNoMemory);
#else
    EXPECT_EQ(memcopyWorkload(10, 2097152u, nullptr), kStatusNoMemory);
    EXPECT_EQ(memcopyWorkload(10, 4294967295u, nullptr), kStatusNoMemory);
#endif
}

}  // namespace
