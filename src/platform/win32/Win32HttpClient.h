#pragma once

#include "platform/HttpClient.h"

namespace torvik::win32 {

// One GET through WinINet, bounded by the caller's time-out. The request runs on a
// helper thread with WinINet's connect, send and receive time-outs set on its own
// handles; should it still be blocked at the deadline, closing the session aborts it.
class Win32HttpClient : public HttpClient {
public:
    bool Get(const std::string& url, unsigned timeoutMs) override;
};

}  // namespace torvik::win32
