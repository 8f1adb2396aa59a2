// The 32-bit checksum of a machine-readable record.
#include "console/record_checksum.h"

#include <cstdint>
#include <limits>

Checksum recordChecksum(const char* text) {
    // Unsigned arithmetic wraps at 32 bits as the format requires; signed
    // arithmetic would overflow.
    std::uint32_t h = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const std::int32_t c = static_cast<signed char>(*p);
        h = h * 31u + static_cast<std::uint32_t>(c);
    }
    // Read the 32 bits as two's complement without an out-of-range conversion.
    if (h <= static_cast<std::uint32_t>(std::numeric_limits<Checksum>::max())) {
        return static_cast<Checksum>(h);
    }
    return static_cast<Checksum>(-static_cast<Checksum>(~h) - 1);
}
