// The operating system's serial ports, shaped after the calls the serial channel
// relies on, so a fake can reproduce every failure the channel cares about.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvik {

using DeviceHandle = std::intptr_t;
constexpr DeviceHandle kInvalidDeviceHandle = -1;

// The four line settings the channel writes; codes as in the Win32 DCB.
struct SerialLineSettings {
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
    std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the named device exclusively for reading and writing; the invalid
    // handle on failure.
    virtual DeviceHandle Open(const std::string& name) = 0;
    // Reads the current line settings, replaces the four above and writes them
    // back; false when the driver refuses them. Other settings stay as they are.
    virtual bool ApplyLineSettings(DeviceHandle h, const SerialLineSettings& settings) = 0;
    // Makes reads return at once with what has arrived, and writes wait without limit.
    virtual void SetImmediateReads(DeviceHandle h) = 0;
    virtual void SetQueueSizes(DeviceHandle h, std::uint32_t inQueue, std::uint32_t outQueue) = 0;
    // Clears a pending line error; reports the bytes waiting in the input queue.
    virtual bool ClearError(DeviceHandle h, std::uint32_t& bytesWaiting) = 0;
    // Reads at most `count` bytes; `bytesRead` is what arrived.
    virtual bool Read(DeviceHandle h, void* buffer, std::uint32_t count, std::uint32_t& bytesRead) = 0;
    virtual bool Write(DeviceHandle h, const void* buffer, std::uint32_t count) = 0;
    virtual bool Close(DeviceHandle h) = 0;
};

}  // namespace torvik
