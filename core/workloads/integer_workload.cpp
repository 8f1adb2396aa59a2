// Integer loop: a pre-test count-down on the count itself.
#include "core/workloads.h"

WorkStatus integerWorkload(WorkCount count, WorkArg, const char*) {
    while (count > 0) {
        --count;
    }
    return kStatusOk;
}
