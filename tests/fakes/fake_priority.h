// Stand-in for the platform priority (link it instead of the priority library):
// records the classes asked for and answers as scripted.
#pragma once

#include <vector>

#include "platform/core_platform.h"

// Every class accepted again, the record emptied.
void fakePriorityReset();
void fakePriorityRefuse(PlatformPriorityClass priorityClass);
const std::vector<PlatformPriorityClass>& fakePriorityRequests();
