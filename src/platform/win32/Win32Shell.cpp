#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Gbk.h"

namespace torvik::win32 {

void Win32Shell::OpenUrl(const std::string& url) {
    ShellExecuteW(nullptr, L"open", WideFromGbk(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace torvik::win32
