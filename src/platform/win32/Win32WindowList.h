#pragma once

#include "platform/WindowList.h"

namespace torvik::win32 {

// The desktop's top-level windows through EnumWindows, the style bits and the title.
class Win32WindowList : public WindowList {
public:
    void EnumTopLevel(const std::function<void(WindowHandle)>& visit) override;
    bool IsVisible(WindowHandle window) override;
    bool Title(WindowHandle window, std::string& title) override;
};

}  // namespace torvik::win32
