// Scripted counter: every second reading advances by the next duration.
#include "fakes/fake_counter.h"

#include <cmath>
#include <deque>

#include "platform/core_platform.h"

namespace {

// A start far from 0, so that code relying on a first reading of 0 shows up.
constexpr std::uint64_t kStartTicks = 1000000000;

struct FakeCounter {
    std::int64_t frequency = 1000000;
    std::uint64_t now = kStartTicks;  // modular, so scripts of any size are fine
    std::deque<std::int64_t> script;
    int frequencyReads = 0;
    int valueReads = 0;
    int overruns = 0;
    std::string readOrder;
};

FakeCounter counter;

}  // namespace

void fakeCounterReset(std::int64_t ticksPerSecond) {
    counter = FakeCounter{};
    counter.frequency = ticksPerSecond;
}

void fakeCounterAppendTicks(const std::vector<std::int64_t>& ticks) {
    counter.script.insert(counter.script.end(), ticks.begin(), ticks.end());
}

void fakeCounterAppendMs(const std::vector<double>& milliseconds) {
    for (double ms : milliseconds) {
        counter.script.push_back(
            std::llround(ms * static_cast<double>(counter.frequency) / 1000.0));
    }
}

std::size_t fakeCounterRemaining() {
    return counter.script.size();
}

int fakeCounterFrequencyReads() {
    return counter.frequencyReads;
}

int fakeCounterValueReads() {
    return counter.valueReads;
}

int fakeCounterOverruns() {
    return counter.overruns;
}

const std::string& fakeCounterReadOrder() {
    return counter.readOrder;
}

bool platformCounterFrequency(std::int64_t* ticksPerSecond) {
    ++counter.frequencyReads;
    counter.readOrder += 'f';
    *ticksPerSecond = counter.frequency;
    return true;
}

bool platformCounterValue(std::int64_t* ticks) {
    ++counter.valueReads;
    counter.readOrder += 'v';
    if (counter.valueReads % 2 == 0) {
        if (counter.script.empty()) {
            ++counter.overruns;
        } else {
            counter.now += static_cast<std::uint64_t>(counter.script.front());
            counter.script.pop_front();
        }
    }
    *ticks = static_cast<std::int64_t>(counter.now);
    return true;
}
