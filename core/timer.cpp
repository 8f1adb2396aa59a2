// The program's only clock: one workload run between two counter readings.
#include "core/timer.h"

#include <cstdint>
#include <limits>

#include "platform/core_platform.h"

namespace {

// The bound of every time handed back, about 146 million years: no run comes
// near it, and the runner adds two such times without leaving 64 signed bits.
constexpr std::int64_t kLongestMs = std::numeric_limits<std::int64_t>::max() / 2;
// Whole seconds from here on (about 4.6 * 10^15) leave that bound, and so
// many ticks per second overflow the remainder's product: no counter gets there.
constexpr std::int64_t kBeyondCounters = kLongestMs / 1000;

// The millisecond count as the build hands it back. The x86 builds hold it in
// 32 unsigned bits; instead of handing back the low 32 bits of a value that
// doesn't fit (a wrapped time that would look plausible), a negative interval
// gives 0 and anything from 2^32 ms (about 49.7 days) on gives 4294967295.
TimerMs toTimerMs(std::int64_t ms) {
#if TEMBRIX_WORD_BITS == 32
    if (ms < 0) {
        return 0;
    }
    if (ms > std::int64_t{std::numeric_limits<TimerMs>::max()}) {
        return std::numeric_limits<TimerMs>::max();
    }
#endif
    return static_cast<TimerMs>(ms);
}

}  // namespace

std::int64_t ticksToMilliseconds(std::int64_t ticks, std::int64_t frequency) {
    if (frequency <= 0) {
        return 0;
    }
    // Whole microseconds, then whole milliseconds, both truncated, come to
    // trunc(ticks * 1000 / f). With whole seconds and the ticks left over
    // (both carrying the sign of ticks) that is formed without the product.
    const std::int64_t seconds = ticks / frequency;
    const std::int64_t rest = ticks % frequency;
    if (frequency >= kBeyondCounters || seconds >= kBeyondCounters ||
        seconds <= -kBeyondCounters) {
        return ticks < 0 ? -kLongestMs : kLongestMs;
    }
    return seconds * 1000 + rest * 1000 / frequency;
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
    // Modular, so that no pair of readings can overflow the difference.
    const std::int64_t ticks =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(t1) - static_cast<std::uint64_t>(t0));
    return toTimerMs(ticksToMilliseconds(ticks, frequency));
}
