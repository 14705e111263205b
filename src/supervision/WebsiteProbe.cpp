#include "supervision/WebsiteProbe.h"

#include <atomic>

namespace torvik {

struct WebsiteProbe::Shared {
    std::atomic<bool> done{false};
    std::atomic<bool> reachable{false};
};

std::string WebsiteUrl(const std::string& host) { return "http://" + host; }

WebsiteProbe::~WebsiteProbe() {
    if (worker_.joinable()) worker_.join();
}

bool WebsiteProbe::InFlight() const { return shared_ && !shared_->done; }

bool WebsiteProbe::Start(const std::string& host, Purpose purpose) {
    if (InFlight()) return false;
    if (worker_.joinable()) worker_.join();  // finished: only the thread object is left
    shared_ = std::make_shared<Shared>();
    purpose_ = purpose;
    answered_ = false;
    deadlineMs_ = clock_.MonotonicMs() + kTimeoutMs;
    worker_ = std::thread([shared = shared_, &http = http_, url = WebsiteUrl(host)] {
        shared->reachable = http.Get(url, kTimeoutMs);
        shared->done = true;
    });
    return true;
}

std::optional<WebsiteProbe::Answer> WebsiteProbe::Poll() {
    if (answered_ || !shared_) return std::nullopt;
    if (shared_->done) {
        answered_ = true;
        return Answer{purpose_, shared_->reachable};
    }
    if (clock_.MonotonicMs() >= deadlineMs_) {
        answered_ = true;  // no answer in time: the site counts as unreachable
        return Answer{purpose_, false};
    }
    return std::nullopt;
}

}  // namespace torvik
