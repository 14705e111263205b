#include "platform/win32/Win32HttpClient.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "platform/win32/Gbk.h"

namespace torvik::win32 {
namespace {

constexpr wchar_t kAgent[] = L"Torvik";
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI;
constexpr DWORD_PTR kContext = 1;

// How long the caller still waits for the helper thread once the deadline has passed
// and the session is closed. On Windows the blocked call then returns at once; under
// Wine the request's receive time-out ends it a few milliseconds after the deadline.
// A call that does neither (a name lookup, a connection attempt Wine does not bound)
// is left to finish alone on its thread, which closes its own handles.
constexpr std::chrono::milliseconds kAbortGrace{250};

// Shared by the caller and the helper thread; the thread keeps it alive if it has to
// be left behind.
struct Outcome {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool answered = false;
};

void SetTimeouts(HINTERNET handle, unsigned timeoutMs) {
    DWORD value = timeoutMs;
    InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &value, sizeof value);
    InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &value, sizeof value);
    InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &value, sizeof value);
}

// Sends the GET and waits for the status line. The request is opened as its parts
// (server, then request) rather than with InternetOpenUrl so that the time-outs can be
// put on the request handle itself: Wine's WinINet ignores the send and receive
// time-outs of a session and does not interrupt a call blocked on a closed session,
// so only the request's own receive time-out ends the wait for a server that accepted
// the connection and stays silent.
bool SendGet(HINTERNET session, const std::wstring& url, unsigned timeoutMs) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;  // non-zero lengths with null pointers: point into `url`
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;
    if (parts.dwHostNameLength == 0) return false;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring object;
    if (parts.lpszUrlPath) object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (object.empty()) object = L"/";
    DWORD flags = kRequestFlags;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;

    bool answered = false;
    const HINTERNET server =
        InternetConnectW(session, host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, kContext);
    if (server) {
        const HINTERNET request =
            HttpOpenRequestW(server, L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, kContext);
        if (request) {
            SetTimeouts(request, timeoutMs);
            // True once the server's answer has come, whatever its status.
            answered = HttpSendRequestW(request, nullptr, 0, nullptr, 0) != FALSE;
            InternetCloseHandle(request);
        }
        InternetCloseHandle(server);
    }
    return answered;
}

}  // namespace

bool Win32HttpClient::Get(const std::string& url, unsigned timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);

    const HINTERNET session = InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return false;
    SetTimeouts(session, timeoutMs);

    auto outcome = std::make_shared<Outcome>();
    std::thread helper;
    try {
        helper = std::thread([outcome, session, wideUrl = WideFromGbk(url), timeoutMs] {
            const bool answered = SendGet(session, wideUrl, timeoutMs);
            std::lock_guard<std::mutex> lock(outcome->mutex);
            outcome->answered = answered;
            outcome->done = true;
            outcome->finished.notify_all();
        });
    } catch (const std::system_error&) {
        InternetCloseHandle(session);
        return false;
    }

    std::unique_lock<std::mutex> lock(outcome->mutex);
    if (outcome->finished.wait_until(lock, deadline, [&] { return outcome->done; })) {
        const bool answered = outcome->answered;
        lock.unlock();
        helper.join();
        InternetCloseHandle(session);
        return answered;
    }

    // Time is up: closing the session (and with it every handle under it) makes a
    // blocked call fail where it stands.
    lock.unlock();
    InternetCloseHandle(session);
    lock.lock();
    const bool ended = outcome->finished.wait_for(lock, kAbortGrace, [&] { return outcome->done; });
    const bool answered = outcome->answered;
    lock.unlock();
    if (ended)
        helper.join();
    else
        helper.detach();  // it closes its own handles when the call finally returns
    return answered;
}

}  // namespace torvik::win32
