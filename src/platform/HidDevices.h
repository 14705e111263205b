// The HID device interfaces present on the system, shaped after the calls the HID
// channel makes, so a fake can present boards and failures in enumeration order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialDevice.h"  // DeviceHandle

namespace torvik {

class HidDevices {
public:
    virtual ~HidDevices() = default;

    // Takes a snapshot of the present HID interfaces; EndEnumeration releases it.
    virtual void BeginEnumeration() = 0;
    // The device path of the interface with this index; false past the last one.
    virtual bool InterfacePath(int index, std::string& path) = 0;
    virtual void EndEnumeration() = 0;

    // Opens the device with no access rights, for reading attributes and capabilities.
    virtual DeviceHandle OpenQuery(const std::string& path) = 0;
    virtual DeviceHandle OpenWrite(const std::string& path) = 0;
    // Opened for overlapped reading; nothing is ever read through it.
    virtual DeviceHandle OpenRead(const std::string& path) = 0;
    virtual bool GetAttributes(DeviceHandle query, std::uint16_t& vendorId, std::uint16_t& productId) = 0;
    virtual std::uint16_t GetOutputReportLength(DeviceHandle query) = 0;
    // Asks for the main window to be told of HID arrivals and removals.
    virtual void RegisterForNotifications() = 0;
    virtual bool WriteReport(DeviceHandle write, const std::uint8_t* report, std::size_t length) = 0;
    virtual void Close(DeviceHandle h) = 0;
};

}  // namespace torvik
