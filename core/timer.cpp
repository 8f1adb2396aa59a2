// The program's only clock: one workload run between two counter readings.
#include "core/timer.h"

#include <cstdint>
#include <limits>

#include "core/word_arithmetic.h"
#include "platform/platform.h"

namespace {

constexpr std::int64_t kMicrosPerSecond = 1000000;
constexpr std::int64_t kMillisPerSecond = 1000;
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

// trunc(r * m / f) for 0 <= r < f and small m, by binary long multiplication:
// every intermediate stays below 2 * f, so nothing overflows even when f is
// close to the top of the signed range.
std::uint64_t mulDivBelowOne(std::uint64_t r, std::uint64_t m, std::uint64_t f) {
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        quotient <<= 1;
        remainder <<= 1;
        if (remainder >= f) {
            remainder -= f;
            quotient += 1;
        }
        if ((m >> bit) & 1u) {
            remainder += r;
            if (remainder >= f) {
                remainder -= f;
                quotient += 1;
            }
        }
    }
    return quotient;
}

// The interval t1 - t0 in modular arithmetic: the exact difference whenever it
// fits in 64 signed bits, and never undefined behaviour when it doesn't.
std::int64_t tickDifference(std::int64_t t0, std::int64_t t1) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(t1) -
                                     static_cast<std::uint64_t>(t0));
}

// The millisecond count as the build hands it back. The x86 builds hold it in
// 32 unsigned bits; instead of handing back the low 32 bits of a value that
// doesn't fit (a wrapped time that would look plausible), a negative interval
// gives 0 and anything from 2^32 ms (about 49.7 days) on gives 4294967295.
TimerMs toTimerMs(std::int64_t ms) {
    return clampToWord<TimerMs>(ms);
}

}  // namespace

std::int64_t ticksToMilliseconds(std::int64_t ticks, std::int64_t frequency) {
    if (frequency <= 0) {
        return 0;
    }
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(ticks, kMicrosPerSecond, &product)) {
        // Whole microseconds first, then whole milliseconds: both truncate.
        return product / frequency / kMillisPerSecond;
    }
    // ticks * 1000000 leaves the signed range. trunc(trunc(a / f) / 1000) equals
    // trunc(a / (1000 f)), i.e. trunc(ticks * 1000 / f); with ticks = q*f + r
    // (q and r carry the sign of ticks) that is q*1000 + trunc(r*1000 / f).
    const std::int64_t q = ticks / frequency;
    const std::int64_t r = ticks % frequency;
    const bool negative = ticks < 0;
    const std::uint64_t rMagnitude =
        negative ? 0u - static_cast<std::uint64_t>(r) : static_cast<std::uint64_t>(r);
    const std::int64_t fraction = static_cast<std::int64_t>(mulDivBelowOne(
        rMagnitude, static_cast<std::uint64_t>(kMillisPerSecond), static_cast<std::uint64_t>(frequency)));
    std::int64_t whole = 0;
    std::int64_t ms = 0;
    if (__builtin_mul_overflow(q, kMillisPerSecond, &whole) ||
        __builtin_add_overflow(whole, negative ? -fraction : fraction, &ms)) {
        // Beyond 2^63 ms: no machine word holds it; hand back the bound.
        return negative ? kInt64Min : kInt64Max;
    }
    return ms;
}

TimerMs timeWorkload(WorkloadFn workload, WorkCount count, WorkArg arg, const char* path,
                     WorkStatus* status) {
    // The frequency is read on every call, before the interval starts.
    std::int64_t frequency = 0;
    platformCounterFrequency(&frequency);
    std::int64_t t0 = 0;
    std::int64_t t1 = 0;
    platformCounterValue(&t0);
    const WorkStatus workloadStatus = workload(count, arg, path);
    platformCounterValue(&t1);
    if (status != nullptr) {
        *status = workloadStatus;
    }
    return toTimerMs(ticksToMilliseconds(tickDifference(t0, t1), frequency));
}
