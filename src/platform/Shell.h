// The desktop shell's "open" of a web address (the default browser).
#pragma once

#include <string>

namespace torvik {

class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace torvik
