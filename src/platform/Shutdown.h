// Restarting the operating system, and the message boxes that report why it could not.
#pragma once

#include <string>

namespace torvik {

class Shutdown {
public:
    virtual ~Shutdown() = default;
    // Opens the process's access token for adjusting privileges; false on failure.
    virtual bool OpenProcessToken() = 0;
    // Enables the shutdown privilege in that token; false unless it was enabled.
    virtual bool EnableShutdownPrivilege() = 0;
    virtual void CloseProcessToken() = 0;
    // Asks for an immediate, forced reboot; returns at once.
    virtual void RequestForcedReboot() = 0;
    // A modal message box titled with the application's name; returns when closed.
    virtual void MessageBox(const std::string& text) = 0;
};

}  // namespace torvik
