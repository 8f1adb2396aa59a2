// Stand-in for the platform threads (link it instead of the threads library):
// every "thread" runs to its end inside platformStartThread, on the calling
// thread, so workers run in creation order and tests are deterministic.
#pragma once

#include <cstdint>

void fakeThreadsReset();
// The start of thread number index (0-based, counted since the reset) fails.
void fakeThreadsFailStartAt(int index);
// The next count waits report failure.
void fakeThreadsFailWaits(int count);
int fakeThreadsStarted();
int fakeThreadsReleased();
int fakeThreadsWaits();
