// Makes one request with the program's HTTP client and reports whether an answer came
// and how long the call took.
//
//   httpcheck URL TIMEOUT_MS      prints "answer yes|no in N ms"; exit code 0 for yes, 1 for no
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win32/Gbk.h"
#include "platform/win32/Win32HttpClient.h"

int wmain(int argc, wchar_t** argv) {
    wchar_t* end = nullptr;
    const unsigned long timeoutMs = argc == 3 ? std::wcstoul(argv[2], &end, 10) : 0;
    if (argc != 3 || end == argv[2] || *end != L'\0') {
        std::fprintf(stderr, "usage: httpcheck URL TIMEOUT_MS\n");
        return 2;
    }
    const std::string url = torvik::win32::GbkFromWide(argv[1]);

    torvik::win32::Win32HttpClient client;
    const auto start = std::chrono::steady_clock::now();
    const bool answered = client.Get(url, static_cast<unsigned>(timeoutMs));
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    std::printf("answer %s in %lld ms\n", answered ? "yes" : "no", static_cast<long long>(elapsed.count()));
    std::fflush(stdout);
    return answered ? 0 : 1;
}
