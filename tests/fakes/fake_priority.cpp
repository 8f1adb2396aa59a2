// Priority classes recorded and answered as scripted.
#include "fakes/fake_priority.h"

#include <algorithm>

namespace {

std::vector<PlatformPriorityClass> requests;
std::vector<PlatformPriorityClass> refused;

}  // namespace

void fakePriorityReset() {
    requests.clear();
    refused.clear();
}

void fakePriorityRefuse(PlatformPriorityClass priorityClass) {
    refused.push_back(priorityClass);
}

const std::vector<PlatformPriorityClass>& fakePriorityRequests() {
    return requests;
}

bool platformSetPriorityClass(PlatformPriorityClass priorityClass) {
    requests.push_back(priorityClass);
    return std::find(refused.begin(), refused.end(), priorityClass) == refused.end();
}
