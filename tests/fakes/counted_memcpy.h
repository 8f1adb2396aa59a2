// Watches the copies of the memory workload: test programs linked with
// -Wl,--wrap=memcpy send every memcpy call through this file, which records
// the calls made while a recording is on and then does the copy.
#pragma once

#include <cstddef>
#include <vector>

struct RecordedCopy {
    void* to;
    const void* from;
    std::size_t bytes;
};

// Starts recording (emptying the record); stops and hands the record back.
void startRecordingCopies();
std::vector<RecordedCopy> stopRecordingCopies();
