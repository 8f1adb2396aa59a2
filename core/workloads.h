// The seven fixed pieces of work that the tests time.
#pragma once

#include "core/workload.h"

// 1.00000000001 as the nearest double (bits 0x3FF000000000AFEC).
extern const double kFloatStep;

WorkStatus calibrationWorkload(WorkCount count, WorkArg arg, const char* path);
WorkStatus integerWorkload(WorkCount count, WorkArg arg, const char* path);
WorkStatus floatWorkload(WorkCount count, WorkArg arg, const char* path);
// The float loop itself: x = count, then x -= kFloatStep while x > 0.0;
// returns the value x ends with (floatWorkload calls it once).
double floatCountDown(WorkCount count);
WorkStatus bitShiftWorkload(WorkCount count, WorkArg arg, const char* path);
WorkStatus mathWorkload(WorkCount count, WorkArg arg, const char* path);
WorkStatus memcopyWorkload(WorkCount count, WorkArg arg, const char* path);
WorkStatus diskWriteWorkload(WorkCount count, WorkArg arg, const char* path);
