// The top-level windows of the desktop, shaped after the calls the program-window
// probe makes: enumerate, ask the visible bit, read the title.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace torvik {

using WindowHandle = std::uintptr_t;

class WindowList {
public:
    virtual ~WindowList() = default;
    // Calls `visit` once for every top-level window, on the calling thread, before returning.
    virtual void EnumTopLevel(const std::function<void(WindowHandle)>& visit) = 0;
    // The window's visible style bit.
    virtual bool IsVisible(WindowHandle window) = 0;
    // The window's whole title, as GBK; false when it cannot be read (the window has closed).
    virtual bool Title(WindowHandle window, std::string& title) = 0;
};

}  // namespace torvik
