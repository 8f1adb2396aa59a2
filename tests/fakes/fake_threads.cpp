// Threads that run to their end inside platformStartThread, in creation order.
#include "fakes/fake_threads.h"

#include "platform/core_platform.h"

namespace {

struct FakeThreads {
    int startAttempts = 0;
    int failStartAt = -1;
    int failingWaits = 0;
    int started = 0;
    int released = 0;
    int waits = 0;
};

FakeThreads threads;

// Marks a handle as one of ours, so a release of anything else shows up.
int handleTag = 0;

}  // namespace

void fakeThreadsReset() {
    threads = FakeThreads{};
}

void fakeThreadsFailStartAt(int index) {
    threads.failStartAt = index;
}

void fakeThreadsFailWaits(int count) {
    threads.failingWaits = count;
}

int fakeThreadsStarted() {
    return threads.started;
}

int fakeThreadsReleased() {
    return threads.released;
}

int fakeThreadsWaits() {
    return threads.waits;
}

bool platformStartThread(PlatformThreadEntry entry, void* argument, PlatformThread* thread,
                         std::uint32_t* identifier) {
    const int index = threads.startAttempts++;
    if (index == threads.failStartAt) {
        return false;
    }
    thread->entry = entry;
    thread->argument = argument;
    thread->handle = &handleTag;
    *identifier = static_cast<std::uint32_t>(index + 1);
    ++threads.started;
    entry(argument);
    return true;
}

bool platformWaitForThreads(PlatformThread*, std::uint32_t) {
    ++threads.waits;
    if (threads.failingWaits > 0) {
        --threads.failingWaits;
        return false;
    }
    return true;
}

void platformReleaseThread(PlatformThread* thread) {
    if (thread->handle == &handleTag) {
        ++threads.released;
        thread->handle = nullptr;
    }
}
