// Runs one workload on N worker threads at once and combines their times.
//
// Beyond the plain "start all, wait for all, combine" path, these cases are
// handled here (the rule for each: no job record is read before its worker has
// ended, and none is freed while a worker may still run):
// - threadCount 0: no thread is started; the result is 0, status ok.
// - threadCount above kMaxWorkerThreads (one wait covers at most 64): refused
//   before anything is made; result 0, status kStatusTooManyThreads.
// - the three arrays can't be had: result 0, status kStatusThreadNotStarted.
// - a worker can't be started: no further worker is created, the ones already
//   running are waited for and only their times are combined; status
//   kStatusThreadNotStarted.
// - the wait for all fails: each worker is then waited for on its own; when
//   that fails too, the job records and the thread array are left allocated on
//   purpose (a worker may still write to them) and the result is 0, status
//   kStatusWaitFailed.
// - otherwise the status is the first non-zero workload status in creation
//   order, else kStatusOk. The times are combined whatever the workloads say.
#include "core/thread_runner.h"

#include <cstdint>
#include <new>

#include "core/timer.h"
#include "platform/core_platform.h"

namespace {

void report(WorkStatus* status, WorkStatus value) {
    if (status != nullptr) {
        *status = value;
    }
}

// Waits for the started workers: all at once, else one by one.
bool waitForWorkers(PlatformThread* threads, ThreadCount started) {
    if (started == 0 || platformWaitForThreads(threads, started)) {
        return true;
    }
    bool allEnded = true;
    for (ThreadCount i = 0; i < started; ++i) {
        if (!platformWaitForThreads(&threads[i], 1)) {
            allEnded = false;
        }
    }
    return allEnded;
}

}  // namespace

std::uint32_t threadEntry(void* argument) {
    WorkloadJob* job = static_cast<WorkloadJob*>(argument);
    job->elapsedMs = timeWorkload(job->workload, job->count, job->arg, job->path, &job->status);
    return 0;
}

TimerMs runOnThreads(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                     const char* path, WorkStatus* status) {
    report(status, kStatusOk);
    if (threadCount == 0) {
        return 0;
    }
    if (threadCount > kMaxWorkerThreads) {
        report(status, kStatusTooManyThreads);
        return 0;
    }

    PlatformThread* threads = new (std::nothrow) PlatformThread[threadCount];
    std::uint32_t* identifiers = new (std::nothrow) std::uint32_t[threadCount];
    WorkloadJob* jobs = new (std::nothrow) WorkloadJob[threadCount];
    if (threads == nullptr || identifiers == nullptr || jobs == nullptr) {
        delete[] threads;
        delete[] identifiers;
        delete[] jobs;
        report(status, kStatusThreadNotStarted);
        return 0;
    }

    // Each worker runs as soon as it is created; there is no common start.
    ThreadCount started = 0;
    while (started < threadCount) {
        WorkloadJob& job = jobs[started];
        job.workload = workload;
        job.count = count;
        job.arg = arg;
        job.path = path;
        job.status = kStatusOk;
        if (!platformStartThread(threadEntry, &job, &threads[started], &identifiers[started])) {
            break;
        }
        ++started;
    }

    if (!waitForWorkers(threads, started)) {
        // Workers may still be running and writing to their records.
        delete[] identifiers;
        report(status, kStatusWaitFailed);
        return 0;
    }

    // Creation order, not the order in which the workers ended. Each step is
    // trunc((running + elapsedMs) / 2) in 64 signed bits, where the sum fits:
    // the timer bounds its times to half the range, and two 32-bit times never
    // wrap there (for sums below 2^32 the same as a wrapping add and shift).
    TimerMs running = 0;
    WorkStatus firstFailure = kStatusOk;
    for (ThreadCount i = 0; i < started; ++i) {
        platformReleaseThread(&threads[i]);
        running = i == 0 ? jobs[i].elapsedMs
                         : static_cast<TimerMs>((std::int64_t{running} + jobs[i].elapsedMs) / 2);
        if (firstFailure == kStatusOk) {
            firstFailure = jobs[i].status;
        }
    }

    delete[] threads;
    delete[] identifiers;
    delete[] jobs;
    report(status, started < threadCount ? kStatusThreadNotStarted : firstFailure);
    return running;
}
