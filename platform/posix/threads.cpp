// Worker threads on POSIX threads.
#include <pthread.h>

#include <new>

#include "platform/core_platform.h"

namespace {

// What PlatformThread::handle points to. joined keeps a thread from being
// joined twice when a failed wait for all is followed by waits one by one.
struct PosixThread {
    pthread_t id;
    bool joined;
};

// Only the main thread starts workers, so a plain counter suffices.
std::uint32_t nextIdentifier = 0;

void* trampoline(void* argument) {
    PlatformThread* thread = static_cast<PlatformThread*>(argument);
    thread->entry(thread->argument);
    return nullptr;
}

}  // namespace

bool platformStartThread(PlatformThreadEntry entry, void* argument, PlatformThread* thread,
                         std::uint32_t* identifier) {
    thread->entry = entry;
    thread->argument = argument;
    thread->handle = nullptr;
    PosixThread* posixThread = new (std::nothrow) PosixThread{};
    if (posixThread == nullptr) {
        return false;
    }
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        delete posixThread;
        return false;
    }
    // Workers run at the priority the main thread was given (setPriority).
    bool started = pthread_attr_setinheritsched(&attributes, PTHREAD_INHERIT_SCHED) == 0 &&
                   pthread_create(&posixThread->id, &attributes, trampoline, thread) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) {
        delete posixThread;
        return false;
    }
    thread->handle = posixThread;
    *identifier = ++nextIdentifier;
    return true;
}

bool platformWaitForThreads(PlatformThread* threads, std::uint32_t count) {
    bool allEnded = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        PosixThread* posixThread = static_cast<PosixThread*>(threads[i].handle);
        if (posixThread == nullptr) {
            allEnded = false;
            continue;
        }
        if (posixThread->joined) {
            continue;
        }
        if (pthread_join(posixThread->id, nullptr) == 0) {
            posixThread->joined = true;
        } else {
            allEnded = false;
        }
    }
    return allEnded;
}

void platformReleaseThread(PlatformThread* thread) {
    PosixThread* posixThread = static_cast<PosixThread*>(thread->handle);
    if (posixThread == nullptr) {
        return;
    }
    if (!posixThread->joined) {
        pthread_detach(posixThread->id);
    }
    delete posixThread;
    thread->handle = nullptr;
}
