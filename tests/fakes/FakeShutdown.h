// The operating system's restart, with each failure, and the message boxes shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Shutdown.h"

namespace torvik::testing {

class FakeShutdown : public Shutdown {
public:
    bool failToken = false;
    bool failPrivilege = false;
    int reboots = 0;
    int tokensOpen = 0;
    std::vector<std::string> boxes;
    // Runs while a box is open, as the box's message loop would run the timer.
    std::function<void()> whileBoxOpen;

    bool OpenProcessToken() override {
        if (failToken) return false;
        ++tokensOpen;
        return true;
    }
    bool EnableShutdownPrivilege() override { return !failPrivilege; }
    void CloseProcessToken() override { --tokensOpen; }
    void RequestForcedReboot() override { ++reboots; }
    void MessageBox(const std::string& text) override {
        boxes.push_back(text);
        if (whileBoxOpen) whileBoxOpen();
    }
};

}  // namespace torvik::testing
