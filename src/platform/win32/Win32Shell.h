#pragma once

#include "platform/Shell.h"

namespace torvik::win32 {

// The shell's "open" verb: a web address goes to the default browser.
class Win32Shell : public Shell {
public:
    void OpenUrl(const std::string& url) override;
};

}  // namespace torvik::win32
