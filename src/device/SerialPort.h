// The serial transport to the board: one COM port, opened with explicit line
// settings; reads never wait, writes wait until the driver has taken the bytes.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/SerialDevice.h"

namespace torvik {

class CSerialPort {
public:
    explicit CSerialPort(SerialDevice& device) : device_(device) {}
    virtual ~CSerialPort() = default;  // does not close: ReleaseSerialPort does
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    bool Open(int portNumber, std::uint32_t baudRate, int dataBits, int stopBitsCode, int parityCode,
              std::uint32_t inQueueSize, std::uint32_t outQueueSize);
    int BytesAvailable();
    std::uint32_t Read(void* buffer, std::uint32_t count);
    bool Write(const void* buffer, std::uint32_t count);
    bool Close();

    bool IsOpen() const { return portHandle_ != kInvalidDeviceHandle; }
    DeviceHandle portHandle() const { return portHandle_; }

private:
    SerialDevice& device_;
    DeviceHandle portHandle_ = kInvalidDeviceHandle;
};

// Closes the port if it is open and destroys the object; a second call finds no
// object and does nothing.
void ReleaseSerialPort(std::unique_ptr<CSerialPort>& serialPort);

}  // namespace torvik
