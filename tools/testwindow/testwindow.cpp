// Plays the watched program: one top-level window with the title given on the command
// line. It ends when the window is closed.
//
//   testwindow TITLE [--seconds N] [--hidden] [--minimized]
//
//   --seconds N   close the window after N seconds
//   --hidden      create the window without WS_VISIBLE
//   --minimized   show it minimised (still visible in the style bits)
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kClassName[] = L"TorvikTestWindow";
constexpr UINT_PTR kCloseTimer = 1;

struct Options {
    std::wstring title;
    unsigned seconds = 0;
    bool hidden = false;
    bool minimized = false;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    bool haveTitle = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--hidden") {
            options.hidden = true;
        } else if (arg == L"--minimized") {
            options.minimized = true;
        } else if (arg == L"--seconds" && i + 1 < argc) {
            wchar_t* end = nullptr;
            const unsigned long value = std::wcstoul(argv[++i], &end, 10);
            if (end == argv[i] || *end != L'\0') return false;
            options.seconds = static_cast<unsigned>(value);
        } else if (!haveTitle) {
            options.title = arg;
            haveTitle = true;
        } else {
            return false;
        }
    }
    return haveTitle;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kCloseTimer) {
            KillTimer(window, kCloseTimer);
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    Options options;
    if (!ParseOptions(__argc, __wargv, options)) {
        MessageBoxW(nullptr, L"usage: testwindow TITLE [--seconds N] [--hidden] [--minimized]", L"testwindow",
                    MB_OK);
        return 2;
    }

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return 1;

    DWORD style = WS_OVERLAPPEDWINDOW;
    if (!options.hidden) style |= WS_VISIBLE;
    if (options.minimized) style |= WS_MINIMIZE;
    const HWND window = CreateWindowExW(0, kClassName, options.title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                        320, 160, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (options.seconds > 0) SetTimer(window, kCloseTimer, options.seconds * 1000u, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
