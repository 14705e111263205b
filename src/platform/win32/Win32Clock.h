#pragma once

#include "platform/Clock.h"

namespace torvik::win32 {

class Win32Clock : public Clock {
public:
    LocalTime Now() override;
    void Pause(unsigned milliseconds) override;
    long long MonotonicMs() override;
};

}  // namespace torvik::win32
