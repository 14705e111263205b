// Runs the HID search of the program for real and prints what it saw: every HID
// interface with its IDs, and whether one of them is the board.
#include <windows.h>

#include <cstdio>

#include "device/HidChannel.h"
#include "platform/win32/Win32HidDevices.h"

int main() {
    torvik::win32::Win32HidDevices devices([] { return static_cast<HWND>(nullptr); });
    devices.BeginEnumeration();
    std::string path;
    int count = 0;
    for (; devices.InterfacePath(count, path); ++count) {
        const torvik::DeviceHandle query = devices.OpenQuery(path);
        std::uint16_t vendor = 0, product = 0;
        const bool known = query != torvik::kInvalidDeviceHandle && devices.GetAttributes(query, vendor, product);
        if (query != torvik::kInvalidDeviceHandle) devices.Close(query);
        if (known)
            std::printf("interface %d vid=%04X pid=%04X\n", count, vendor, product);
        else
            std::printf("interface %d unreadable\n", count);
    }
    devices.EndEnumeration();
    std::printf("interfaces %d\n", count);

    torvik::LinkState link;
    torvik::HidChannel channel(devices, link);
    std::printf("board %s\n", channel.FindHidDevice() ? "found" : "none");
    return 0;
}
