// Entry point of Torvik.exe: wires the Win32 services to the application object.
#include <windows.h>
#include <commctrl.h>

#include "app/MonitorApp.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialog.h"
#include "platform/win32/Win32DisplayDevices.h"
#include "platform/win32/Win32HidDevices.h"
#include "platform/win32/Win32HttpClient.h"
#include "platform/win32/Win32SerialDevice.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Shutdown.h"
#include "platform/win32/Win32WindowList.h"
#include "ui/ControlIds.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    torvik::win32::Win32Clock clock;
    torvik::win32::Win32SerialDevice serialDevice;
    torvik::win32::Win32Dialog dialog(instance, torvik::res::kMainDialog);
    torvik::win32::Win32HidDevices hidDevices([&dialog] { return dialog.hwnd(); });
    torvik::win32::Win32DisplayDevices displayDevices;
    torvik::win32::Win32Shutdown shutdown([&dialog] { return dialog.hwnd(); });
    torvik::win32::Win32Shell shell;
    torvik::win32::Win32WindowList windows;
    torvik::win32::Win32HttpClient http;
    torvik::CMonitorApp app;
    app.InitInstance(
        torvik::Ports{dialog, clock, serialDevice, hidDevices, displayDevices, shutdown, shell, windows, http}, dialog);
    return 0;
}
