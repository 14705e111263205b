// Virtual time: the local time moves only when a test (or a pause) moves it.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace torvik::testing {

class FakeClock : public Clock {
public:
    LocalTime Now() override { return now; }
    long long MonotonicMs() override { return ms; }
    void Pause(unsigned milliseconds) override {
        pausedMs += milliseconds;
        ms += milliseconds;
    }

    LocalTime now{2018, 3, 26, 9, 5, 7};
    std::uint64_t pausedMs = 0;
    std::int64_t ms = 0;  // virtual milliseconds since the start of the test
};

}  // namespace torvik::testing
