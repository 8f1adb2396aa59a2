// Process priority on POSIX scheduling. The classes map to:
//   Realtime: SCHED_FIFO at the lowest real-time priority (1);
//   High:     SCHED_OTHER at nice -10;
//   Normal:   SCHED_OTHER at nice 0.
// They apply to the calling (main) thread; workers started afterwards inherit
// them (see threads.cpp). Raising needs CAP_SYS_NICE (or a fitting
// RLIMIT_RTPRIO / RLIMIT_NICE); without it the kernel refuses and we say so.
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <cerrno>

#include "platform/core_platform.h"

namespace {

constexpr int kRealtimePriority = 1;
constexpr int kHighNice = -10;
constexpr int kNormalNice = 0;

bool setNice(int nice) {
    return setpriority(PRIO_PROCESS, 0, nice) == 0;
}

// Leaves SCHED_FIFO and sets the nice value; on refusal the thread keeps
// what it had.
bool setTimeSharing(int nice) {
    errno = 0;
    const int previousNice = getpriority(PRIO_PROCESS, 0);
    const bool knownNice = errno == 0;
    if (!setNice(nice)) {
        return false;
    }
    int policy = SCHED_OTHER;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0) {
        return false;
    }
    if (policy == SCHED_OTHER) {
        return true;
    }
    param.sched_priority = 0;
    if (pthread_setschedparam(pthread_self(), SCHED_OTHER, &param) != 0) {
        if (knownNice) {
            setNice(previousNice);
        }
        return false;
    }
    return true;
}

}  // namespace

bool platformSetPriorityClass(PlatformPriorityClass priorityClass) {
    switch (priorityClass) {
        case kPriorityClassRealtime: {
            sched_param param{};
            param.sched_priority = kRealtimePriority;
            return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
        }
        case kPriorityClassHigh:
            return setTimeSharing(kHighNice);
        case kPriorityClassNormal:
            break;
    }
    return setTimeSharing(kNormalNice);
}
