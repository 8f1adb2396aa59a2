// x87 flavors: double precision for every x87 operation, set before main.
#include <cstdint>

#include "platform/core_platform.h"

namespace {

constexpr std::uint16_t kPrecisionMask = 0x0300;
constexpr std::uint16_t kPrecision53Bits = 0x0200;
constexpr int kPrecisionShift = 8;

std::uint16_t readControlWord() {
    std::uint16_t word = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}

// Runs during start-up, before main and before any of our floating-point work,
// so that sums, products and quotients round as in the SSE2 builds.
__attribute__((constructor)) void setDoublePrecision() {
    std::uint16_t word = readControlWord();
    word = static_cast<std::uint16_t>((word & ~kPrecisionMask) | kPrecision53Bits);
    __asm__ __volatile__("fldcw %0" : : "m"(word));
}

}  // namespace

int platformX87PrecisionControl() {
    return (readControlWord() & kPrecisionMask) >> kPrecisionShift;
}
