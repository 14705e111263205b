#include "supervision/WindowTitles.h"

#include "app/GbkText.h"

namespace torvik {

std::vector<std::string> VisibleWindowTitles(WindowList& windows) {
    std::vector<WindowHandle> visible;
    windows.EnumTopLevel([&](WindowHandle w) {
        if (windows.IsVisible(w)) visible.push_back(w);
    });
    std::vector<std::string> titles;
    for (WindowHandle w : visible) {
        std::string title;
        if (windows.Title(w, title)) titles.push_back(CutAtCharBoundary(title, kTitleLimit));
    }
    return titles;
}

}  // namespace torvik
