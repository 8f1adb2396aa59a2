// Disk write: count passes, each writing one block at the file's start and
// committing it to the disk.
//
// Differences from a plain fopen("wbc") loop, on purpose:
// - the file is opened through the platform (no symbolic link followed, no
//   blocking on a FIFO, regular files only), else -2; a file another run of
//   the program holds gives kStatusInUse, and is neither truncated nor removed;
// - a failed write, seek or commit ends the passes and gives
//   kStatusWriteFailed: a throughput must not be reported for data that never
//   reached the disk. The file is removed on that exit as on success;
// - a file that could not be removed gives kStatusNotRemoved, whatever else
//   happened: it is left in the user's directory.
#include "core/workloads.h"

#include <cstdio>
#include <cstdlib>

#include "core/workloads/block_size.h"
#include "core/workloads/count_down.h"
#include "platform/core_platform.h"

namespace {

WorkStatus closeAndRemove(std::FILE* stream, const char* path, WorkStatus status) {
    return platformCloseAndRemoveTestFile(stream, path) ? status : kStatusNotRemoved;
}

}  // namespace

WorkStatus diskWriteWorkload(WorkCount count, WorkArg arg, const char* path) {
    if (path == nullptr) {
        return kStatusNoPath;
    }
    bool inUse = false;
    std::FILE* stream = platformOpenCommittedFile(path, &inUse);
    if (stream == nullptr) {
        return inUse ? kStatusInUse : kStatusCannotOpen;
    }
    WorkCount n = countDownStart(count);
    std::size_t size = 0;
    void* buf = blockBytes(arg, &size) ? std::malloc(size) : nullptr;
    if (buf == nullptr) {
        return closeAndRemove(stream, path, kStatusNoMemory);
    }
    WorkStatus status = kStatusOk;
    while (n-- > 0) {
        if (std::fwrite(buf, 1, size, stream) != size || std::fseek(stream, 0, SEEK_SET) != 0 ||
            !platformCommitFlush(stream)) {
            status = kStatusWriteFailed;
            break;
        }
    }
    std::free(buf);
    return closeAndRemove(stream, path, status);
}
