// Buffer sizes of the memory and disk workloads.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/machine_types.h"

// Bytes per unit of a workload's block argument.
constexpr std::size_t kBlockUnitBytes = 1024;

// arg KiB in bytes. False when no buffer of that size can exist (a negative
// argument, or a size beyond the address space), so that the size is never
// formed by an overflowing or wrapping product.
inline bool blockBytes(WorkArg arg, std::size_t* bytes) {
    *bytes = 0;
    if (arg == 0) {
        return true;
    }
    if (!(arg > 0) || static_cast<std::uintmax_t>(arg) > PTRDIFF_MAX / kBlockUnitBytes) {
        return false;
    }
    *bytes = static_cast<std::size_t>(arg) * kBlockUnitBytes;
    return true;
}
