// HID device interfaces through SetupAPI and the HID class library.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <functional>

#include "platform/HidDevices.h"

namespace torvik::win32 {

class Win32HidDevices : public HidDevices {
public:
    // `mainWindow` gives the window that device notifications are registered for.
    explicit Win32HidDevices(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}

    void BeginEnumeration() override;
    bool InterfacePath(int index, std::string& path) override;
    void EndEnumeration() override;
    DeviceHandle OpenQuery(const std::string& path) override;
    DeviceHandle OpenWrite(const std::string& path) override;
    DeviceHandle OpenRead(const std::string& path) override;
    bool GetAttributes(DeviceHandle query, std::uint16_t& vendorId, std::uint16_t& productId) override;
    std::uint16_t GetOutputReportLength(DeviceHandle query) override;
    void RegisterForNotifications() override;
    bool WriteReport(DeviceHandle write, const std::uint8_t* report, std::size_t length) override;
    void Close(DeviceHandle h) override;

private:
    std::function<HWND()> mainWindow_;
    GUID hidGuid_{};
    HDEVINFO infoSet_ = INVALID_HANDLE_VALUE;
    HANDLE readEvent_ = nullptr;  // made once, at the first read handle; nothing waits on it
    OVERLAPPED readOverlapped_{};
};

}  // namespace torvik::win32
