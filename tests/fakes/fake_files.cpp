// Committed files as plain C streams, observed at every commit.
#include "fakes/fake_files.h"

#include <filesystem>
#include <system_error>

#include "platform/console_platform.h"
#include "platform/core_platform.h"

namespace {

struct FakeFiles {
    int failCommitAt = -1;
    bool readOnly = false;
    bool heldByAnotherRun = false;
    bool removalRefused = false;
    int opens = 0;
    int commits = 0;
    std::string path;
    std::vector<std::uintmax_t> commitSizes;
    std::vector<long> commitPositions;
};

FakeFiles files;

}  // namespace

void fakeFilesReset() {
    files = FakeFiles{};
}

void fakeFilesFailCommitAt(int index) {
    files.failCommitAt = index;
}

void fakeFilesOpenReadOnly() {
    files.readOnly = true;
}

void fakeFilesHeldByAnotherRun() {
    files.heldByAnotherRun = true;
}

void fakeFilesRefuseRemoval() {
    files.removalRefused = true;
}

int fakeFilesOpens() {
    return files.opens;
}

const std::vector<std::uintmax_t>& fakeFilesCommitSizes() {
    return files.commitSizes;
}

const std::vector<long>& fakeFilesCommitPositions() {
    return files.commitPositions;
}

std::FILE* platformOpenCommittedFile(const char* path, bool* inUse) {
    ++files.opens;
    files.path = path;
    *inUse = files.heldByAnotherRun;
    if (*inUse) {
        return nullptr;
    }
    std::FILE* stream = std::fopen(path, "wb");
    if (stream != nullptr && files.readOnly) {
        files.readOnly = false;
        std::fclose(stream);
        stream = std::fopen(path, "rb");
    }
    return stream;
}

std::FILE* platformOpenProbeFile(const char* path, bool* inUse) {
    *inUse = false;
    return std::fopen(path, "wb");
}

bool platformCloseAndRemoveTestFile(std::FILE* stream, const char* path) {
    std::fclose(stream);
    return !files.removalRefused && std::remove(path) == 0;
}

bool platformCommitFlush(std::FILE* stream) {
    const int index = files.commits++;
    files.commitPositions.push_back(std::ftell(stream));
    const bool flushed = std::fflush(stream) == 0;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(files.path, error);
    files.commitSizes.push_back(error ? UINTMAX_MAX : size);
    return flushed && index != files.failCommitAt;
}

const char* platformTestFileSuffix() {
    return "/test.io";
}

bool platformOpenLogFile(std::ofstream& log, const char* path) {
    log.open(path, std::ios::out | std::ios::trunc);
    return !log.bad() && log.is_open();
}
