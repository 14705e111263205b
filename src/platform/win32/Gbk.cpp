#include "platform/win32/Gbk.h"

#include <windows.h>

namespace torvik::win32 {
namespace {
constexpr UINT kGbk = 936;
}

std::wstring WideFromGbk(const std::string& gbk) {
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
    return wide;
}

std::string GbkFromWide(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n =
        WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), n, nullptr, nullptr);
    return gbk;
}

}  // namespace torvik::win32
