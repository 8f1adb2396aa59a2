// A test's timed run, on this thread or on worker threads.
#include "console/measurements/timed_run.h"

#include "core/thread_runner.h"
#include "core/timer.h"

TimerMs timeTestRun(ThreadCount threadCount, WorkloadFn workload, WorkCount count, WorkArg arg,
                    const char* path, WorkStatus* status) {
    if (threadCount <= 1) {
        return timeWorkload(workload, count, arg, path, status);
    }
    return runOnThreads(threadCount, workload, count, arg, path, status);
}
