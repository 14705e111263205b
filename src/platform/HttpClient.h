// One HTTP GET: did the server answer at all?
#pragma once

#include <string>

namespace torvik {

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Sends a GET for the URL and waits for the answer's status line. True when any
    // answer came (an error status counts); false when the host cannot be reached or
    // no answer came within `timeoutMs`. Safe to call from a worker thread; it must
    // return within about `timeoutMs` whatever the network does.
    virtual bool Get(const std::string& url, unsigned timeoutMs) = 0;
};

}  // namespace torvik
