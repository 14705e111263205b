// The website probe: one HTTP GET of "http://" + the HttpName text, run on a worker
// thread so the tick goes on feeding the board while a slow site keeps us waiting.
// The answer is collected on the user-interface thread by Poll, at the next tick.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/Clock.h"
#include "platform/HttpClient.h"

namespace torvik {

class WebsiteProbe {
public:
    enum class Purpose { HealthCheck, TestButton };
    struct Answer {
        Purpose purpose;
        bool reachable;
    };
    static constexpr unsigned kTimeoutMs = 15000;

    WebsiteProbe(HttpClient& http, Clock& clock) : http_(http), clock_(clock) {}
    ~WebsiteProbe();  // waits for a request still running (bounded by the timeout)
    WebsiteProbe(const WebsiteProbe&) = delete;
    WebsiteProbe& operator=(const WebsiteProbe&) = delete;

    // Starts a request for the host; false (and nothing started) while one is in flight.
    bool Start(const std::string& host, Purpose purpose);
    // True from Start until the worker has finished, even after its answer was given up on.
    bool InFlight() const;
    // The answer once it came, or "unreachable" once the timeout has passed; each
    // request gives exactly one answer.
    std::optional<Answer> Poll();

private:
    struct Shared;
    HttpClient& http_;
    Clock& clock_;
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
    bool answered_ = true;
    Purpose purpose_ = Purpose::HealthCheck;
    long long deadlineMs_ = 0;
};

std::string WebsiteUrl(const std::string& host);

}  // namespace torvik
