// Memory copy: five whole-buffer copies per iteration between two buffers.
#include "core/workloads.h"

#include <cstdlib>
#include <cstring>

#include "core/workloads/block_size.h"

WorkStatus memcopyWorkload(WorkCount count, WorkArg arg, const char*) {
    std::size_t size = 0;
    if (!blockBytes(arg, &size)) {
        return kStatusNoMemory;
    }
    // Never initialised: the copies move whatever the allocator left there.
    unsigned char* a = static_cast<unsigned char*>(std::malloc(size));
    if (a == nullptr) {
        return kStatusNoMemory;
    }
    unsigned char* b = static_cast<unsigned char*>(std::malloc(size));
    if (b == nullptr) {
        std::free(a);
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
    std::free(a);
    std::free(b);
    return kStatusOk;
}
