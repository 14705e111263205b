#pragma once

#include <windows.h>

#include <functional>

#include "platform/Shutdown.h"

namespace torvik::win32 {

class Win32Shutdown : public Shutdown {
public:
    // `owner` gives the window the message boxes belong to.
    explicit Win32Shutdown(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    bool OpenProcessToken() override;
    bool EnableShutdownPrivilege() override;
    void CloseProcessToken() override;
    void RequestForcedReboot() override;
    void MessageBox(const std::string& text) override;

private:
    std::function<HWND()> owner_;
    HANDLE token_ = nullptr;
};

}  // namespace torvik::win32
