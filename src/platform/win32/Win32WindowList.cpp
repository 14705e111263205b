#include "platform/win32/Win32WindowList.h"

#include <windows.h>

#include <exception>
#include <string>

#include "platform/win32/Gbk.h"

namespace torvik::win32 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

struct Enumeration {
    const std::function<void(WindowHandle)>* visit;
    std::exception_ptr failure;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    auto* enumeration = reinterpret_cast<Enumeration*>(context);
    // An exception must not unwind through user32's frames: stop here and rethrow
    // once EnumWindows has returned.
    try {
        (*enumeration->visit)(reinterpret_cast<WindowHandle>(window));
    } catch (...) {
        enumeration->failure = std::current_exception();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void Win32WindowList::EnumTopLevel(const std::function<void(WindowHandle)>& visit) {
    Enumeration enumeration{&visit, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&enumeration));
    if (enumeration.failure) std::rethrow_exception(enumeration.failure);
}

bool Win32WindowList::IsVisible(WindowHandle window) {
    // The window's own style bit, not IsWindowVisible (which also asks its owners).
    const LONG style = GetWindowLongW(ToHwnd(window), GWL_STYLE);
    return (static_cast<DWORD>(style) & WS_VISIBLE) != 0;
}

bool Win32WindowList::Title(WindowHandle window, std::string& title) {
    const HWND hwnd = ToHwnd(window);
    if (!IsWindow(hwnd)) return false;
    // The title can change between asking its length and reading it; read again when
    // the text filled the whole buffer and the window now reports a longer one.
    std::wstring text;
    int capacity = GetWindowTextLengthW(hwnd) + 1;
    for (int attempt = 0; attempt < 4; ++attempt) {
        text.assign(static_cast<std::size_t>(capacity), L'\0');
        SetLastError(ERROR_SUCCESS);
        const int copied = GetWindowTextW(hwnd, text.data(), capacity);
        // Nothing copied is an empty title unless the window has gone meanwhile.
        if (copied == 0 && (GetLastError() == ERROR_INVALID_WINDOW_HANDLE || !IsWindow(hwnd))) return false;
        text.resize(static_cast<std::size_t>(copied));
        if (copied < capacity - 1) break;
        const int now = GetWindowTextLengthW(hwnd) + 1;
        if (now <= capacity) break;
        capacity = now;
    }
    title = GbkFromWide(text);
    return true;
}

}  // namespace torvik::win32
