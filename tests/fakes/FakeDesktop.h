// The desktop in memory: top-level windows, the shell, and a web that answers
// when the test says so.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/HttpClient.h"
#include "platform/Shell.h"
#include "platform/WindowList.h"

namespace torvik::testing {

class FakeWindowList : public WindowList {
public:
    struct Window {
        std::string title;
        bool visible = true;
        bool closesWhileListed = false;  // gone by the time its title is read
    };
    std::vector<Window> windows;
    int enumerations = 0;

    void Add(const std::string& title, bool visible = true) { windows.push_back({title, visible}); }
    void EnumTopLevel(const std::function<void(WindowHandle)>& visit) override {
        ++enumerations;
        for (std::size_t i = 0; i < windows.size(); ++i) visit(i + 1);
    }
    bool IsVisible(WindowHandle w) override { return windows.at(w - 1).visible; }
    bool Title(WindowHandle w, std::string& title) override {
        if (windows.at(w - 1).closesWhileListed) return false;
        title = windows.at(w - 1).title;
        return true;
    }
};

class FakeShell : public Shell {
public:
    std::vector<std::string> opened;
    void OpenUrl(const std::string& url) override { opened.push_back(url); }
};

// Requests run on the probe's worker thread; each one waits until the test answers
// it (Answer) or lets every request answer at once (answerAtOnce).
class FakeHttpClient : public HttpClient {
public:
    bool Get(const std::string& url, unsigned timeoutMs) override {
        std::unique_lock<std::mutex> lock(mutex_);
        requests_.push_back(url);
        lastTimeoutMs_ = timeoutMs;
        changed_.notify_all();
        if (answerAtOnce_) return reachable_;
        const std::size_t mine = requests_.size();
        changed_.wait(lock, [&] { return answered_ >= mine || released_; });
        return mine <= answers_.size() && answers_[mine - 1];
    }

    // Lets every waiting request end unanswered (the end of a test).
    void ReleaseAll() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

    // Every request from now on answers at once with `reachable`.
    void AnswerAtOnce(bool reachable) {
        std::lock_guard<std::mutex> lock(mutex_);
        answerAtOnce_ = true;
        reachable_ = reachable;
    }
    // Waits until a request has arrived, then answers the oldest unanswered one.
    void Answer(bool reachable) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return requests_.size() > answered_; });
        answers_.push_back(reachable);
        ++answered_;
        changed_.notify_all();
    }
    // Waits until `n` requests have arrived.
    void WaitForRequests(std::size_t n) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return requests_.size() >= n; });
    }
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    unsigned lastTimeoutMs() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lastTimeoutMs_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> requests_;
    std::vector<bool> answers_;
    std::size_t answered_ = 0;
    bool answerAtOnce_ = false;
    bool released_ = false;
    bool reachable_ = true;
    unsigned lastTimeoutMs_ = 0;
};

}  // namespace torvik::testing
