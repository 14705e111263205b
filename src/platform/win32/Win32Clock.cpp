#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace torvik::win32 {

LocalTime Win32Clock::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void Win32Clock::Pause(unsigned milliseconds) { Sleep(milliseconds); }

long long Win32Clock::MonotonicMs() { return static_cast<long long>(GetTickCount64()); }

}  // namespace torvik::win32
