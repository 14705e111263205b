// The program's texts are GBK bytes; the Win32 boundary speaks UTF-16. Converting
// explicitly with code page 936 makes the Chinese texts right on any Windows.
#pragma once

#include <string>

namespace torvik::win32 {

std::wstring WideFromGbk(const std::string& gbk);
std::string GbkFromWide(const std::wstring& wide);

}  // namespace torvik::win32
