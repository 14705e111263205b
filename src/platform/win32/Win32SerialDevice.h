// Serial ports through the Win32 communications calls; nothing more than the calls.
#pragma once

#include "platform/SerialDevice.h"

namespace torvik::win32 {

class Win32SerialDevice : public SerialDevice {
public:
    DeviceHandle Open(const std::string& name) override;
    bool ApplyLineSettings(DeviceHandle h, const SerialLineSettings& settings) override;
    void SetImmediateReads(DeviceHandle h) override;
    void SetQueueSizes(DeviceHandle h, std::uint32_t inQueue, std::uint32_t outQueue) override;
    bool ClearError(DeviceHandle h, std::uint32_t& bytesWaiting) override;
    bool Read(DeviceHandle h, void* buffer, std::uint32_t count, std::uint32_t& bytesRead) override;
    bool Write(DeviceHandle h, const void* buffer, std::uint32_t count) override;
    bool Close(DeviceHandle h) override;
};

}  // namespace torvik::win32
