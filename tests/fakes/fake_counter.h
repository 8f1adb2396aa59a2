// Stand-in for the platform counter (link it instead of the counter library).
// Each timed run reads the counter twice; the fake hands out the start value
// on the first read and start + the next scripted duration on the second, so
// scripted durations become the runs' elapsed times in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Clears the script; frequency is what platformCounterFrequency reports.
void fakeCounterReset(std::int64_t ticksPerSecond = 1000000);
// Appends durations of the next timed runs, in counter ticks.
void fakeCounterAppendTicks(const std::vector<std::int64_t>& ticks);
// Appends durations in milliseconds (converted at the current frequency).
void fakeCounterAppendMs(const std::vector<double>& milliseconds);
// Durations not handed out yet; runs beyond the script last 0 ticks.
std::size_t fakeCounterRemaining();
// How often the frequency and the counter were read since the reset.
int fakeCounterFrequencyReads();
int fakeCounterValueReads();
// Runs timed after the script was used up.
int fakeCounterOverruns();
// Every reading since the reset in order: 'f' for the frequency, 'v' for a value.
const std::string& fakeCounterReadOrder();
