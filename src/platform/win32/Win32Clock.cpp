#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace torvik::win32 {

LocalTime Win32Clock::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void Win32Clock::Pause(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace torvik::win32
