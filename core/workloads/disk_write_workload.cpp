// Disk write: count passes, each writing one block at the file's start and
// committing it to the disk.
//
// Differences from a plain fopen("wbc") loop, on purpose:
// - the file is opened through the platform (no symbolic link followed, no
//   blocking on a FIFO, regular files only), else -2;
// - a failed write, seek or commit ends the passes and gives
//   kStatusWriteFailed: a throughput must not be reported for data that never
//   reached the disk. The file is removed on that exit as on success.
#include "core/workloads.h"

#include <cstdio>
#include <cstdlib>

#include "core/workloads/block_size.h"
#include "core/workloads/count_down.h"
#include "platform/platform.h"

WorkStatus diskWriteWorkload(WorkCount count, WorkArg arg, const char* path) {
    if (path == nullptr) {
        return kStatusNoPath;
    }
    std::FILE* stream = platformOpenCommittedFile(path);
    if (stream == nullptr) {
        return kStatusCannotOpen;
    }
    WorkCount n = countDownStart(count);
    std::size_t size = 0;
    void* buf = blockBytes(arg, &size) ? std::malloc(size) : nullptr;
    if (buf == nullptr) {
        std::fclose(stream);
        std::remove(path);
        return kStatusNoMemory;
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
    std::fclose(stream);
    std::remove(path);
    return status;
}
