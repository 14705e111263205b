#include "platform/win32/Win32Shutdown.h"

#include <string>

#include "platform/win32/Gbk.h"

namespace torvik::win32 {
namespace {

// The application's name: the executable's file name without its extension.
std::wstring ApplicationName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name = name.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name = name.substr(0, dot);
    return name;
}

}  // namespace

bool Win32Shutdown::OpenProcessToken() {
    return ::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_) != FALSE;
}

bool Win32Shutdown::EnableShutdownPrivilege() {
    TOKEN_PRIVILEGES privileges{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token_, FALSE, &privileges, 0, nullptr, nullptr);
    return GetLastError() == ERROR_SUCCESS;
}

void Win32Shutdown::CloseProcessToken() {
    if (token_) CloseHandle(token_);
    token_ = nullptr;
}

void Win32Shutdown::RequestForcedReboot() { ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0); }

void Win32Shutdown::MessageBox(const std::string& text) {
    MessageBoxW(owner_(), WideFromGbk(text).c_str(), ApplicationName().c_str(), MB_OK);
}

}  // namespace torvik::win32
