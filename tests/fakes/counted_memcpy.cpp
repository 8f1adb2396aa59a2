// The memcpy wrapper that records the memory workload's copies.
#include "fakes/counted_memcpy.h"

namespace {

bool recording = false;
std::vector<RecordedCopy> copies;

}  // namespace

extern "C" void* __real_memcpy(void* to, const void* from, std::size_t bytes);

extern "C" void* __wrap_memcpy(void* to, const void* from, std::size_t bytes) {
    if (recording) {
        // Off while recording, so that growing the record is not recorded.
        recording = false;
        copies.push_back({to, from, bytes});
        recording = true;
    }
    return __real_memcpy(to, from, bytes);
}

void startRecordingCopies() {
    copies.clear();
    copies.reserve(64);
    recording = true;
}

std::vector<RecordedCopy> stopRecordingCopies() {
    recording = false;
    return copies;
}
