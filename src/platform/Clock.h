// Local time and pauses of the calling thread.
#pragma once

namespace torvik {

struct LocalTime {
    int year = 0;    // full year
    int month = 0;   // 1 to 12
    int day = 0;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual long long MonotonicMs() = 0;
};

}  // namespace torvik
