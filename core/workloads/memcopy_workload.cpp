// Memory copy: five whole-buffer copies per iteration between two buffers.
//
// The workload places its two buffers itself: a starts on a page boundary and
// b half a page past one, so that b - a is 2048 modulo 4096 in every build, on
// every thread. Left to the allocator, b lies wherever its bookkeeping puts it
// (glibc: 16 bytes past the end of a), and a copy between buffers a few bytes
// apart modulo 4 KiB runs up to ten times slower on processors that match a
// load with earlier stores by the low 12 address bits (4 KiB aliasing): the
// figures would be the allocator's, not the machine's. Each buffer is still an
// allocation of its own, a page larger than the block so that the block fits
// at its place; the padding is never touched.
#include "core/workloads.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/workloads/block_size.h"

namespace {

constexpr std::uintptr_t kPageBytes = 4096;
// Where a and b start within a page.
constexpr std::uintptr_t kPlaceOfA = 0;
constexpr std::uintptr_t kPlaceOfB = kPageBytes / 2;
// Enough to move a block's start to any place within a page.
constexpr std::size_t kPlacementRoom = kPageBytes - 1;

// Allocates size bytes and the room, keeps the allocation in *allocation (to
// be freed) and returns the first address in it that lies place bytes past a
// page boundary; null when the allocation can't be had.
unsigned char* placedBuffer(std::size_t size, std::uintptr_t place, void** allocation) {
    *allocation = size <= std::numeric_limits<std::size_t>::max() - kPlacementRoom
                      ? std::malloc(size + kPlacementRoom)
                      : nullptr;
    if (*allocation == nullptr) {
        return nullptr;
    }
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(*allocation) % kPageBytes;
    return static_cast<unsigned char*>(*allocation) + (kPageBytes + place - start) % kPageBytes;
}

}  // namespace

WorkStatus memcopyWorkload(WorkCount count, WorkArg arg, const char*) {
    std::size_t size = 0;
    if (!blockBytes(arg, &size)) {
        return kStatusNoMemory;
    }
    // Never initialised: the copies move whatever the allocator left there.
    void* allocationOfA = nullptr;
    unsigned char* a = placedBuffer(size, kPlaceOfA, &allocationOfA);
    if (a == nullptr) {
        return kStatusNoMemory;
    }
    void* allocationOfB = nullptr;
    unsigned char* b = placedBuffer(size, kPlaceOfB, &allocationOfB);
    if (b == nullptr) {
        std::free(allocationOfA);
        return kStatusNoMemory;
    }
    WorkCount n = count / 5;
    while (n-- > 0) {
        std::memcpy(a, b, size);
        std::memcpy(b, a, size);
        std::memcpy(a, b, size);
        std::memcpy(b, a, size);
        std::memcpy(a, b, size);
    }
    std::free(allocationOfA);
    std::free(allocationOfB);
    return kStatusOk;
}
