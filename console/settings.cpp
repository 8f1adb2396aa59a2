// The settings' start values.
#include "console/settings.h"

CycleCount cycleCount = 5;
const char* destinationPath = nullptr;
