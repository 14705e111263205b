#include "device/SerialPort.h"

#include <string>

namespace torvik {
namespace {

constexpr std::uint32_t kLowestBaudRate = 50;
constexpr int kFallbackDataBits = 8;
constexpr int kFallbackStopBitsCode = 1;
constexpr int kFallbackParityCode = 1;

}  // namespace

bool CSerialPort::Open(int portNumber, std::uint32_t baudRate, int dataBits, int stopBitsCode,
                       int parityCode, std::uint32_t inQueueSize, std::uint32_t outQueueSize) {
    if (IsOpen()) Close();
    if (portNumber < 1 || portNumber > 255) return false;
    // A handle whose close failed is given one more try; it is replaced below either way.
    if (IsOpen()) device_.Close(portHandle_);

    SerialLineSettings settings;
    settings.baudRate = baudRate < kLowestBaudRate ? kLowestBaudRate : baudRate;
    settings.byteSize = static_cast<std::uint8_t>(dataBits < 4 || dataBits > 8 ? kFallbackDataBits : dataBits);
    settings.stopBits = static_cast<std::uint8_t>(
        stopBitsCode > 3 || stopBitsCode < 0 ? kFallbackStopBitsCode : stopBitsCode);
    settings.parity =
        static_cast<std::uint8_t>(parityCode > 3 || parityCode < 0 ? kFallbackParityCode : parityCode);

    portHandle_ = device_.Open("COM" + std::to_string(portNumber));
    if (!IsOpen()) return false;

    if (!device_.ApplyLineSettings(portHandle_, settings)) {
        device_.Close(portHandle_);
        portHandle_ = kInvalidDeviceHandle;
        return false;
    }
    device_.SetImmediateReads(portHandle_);
    device_.SetQueueSizes(portHandle_, inQueueSize, outQueueSize);
    return true;
}

int CSerialPort::BytesAvailable() {
    if (!IsOpen()) return 0;
    std::uint32_t waiting = 0;
    if (!device_.ClearError(portHandle_, waiting)) return 0;
    return static_cast<int>(waiting);
}

std::uint32_t CSerialPort::Read(void* buffer, std::uint32_t count) {
    if (!IsOpen()) return 0;
    std::uint32_t bytesRead = 0;
    device_.Read(portHandle_, buffer, count, bytesRead);  // the count tells all
    return bytesRead;
}

bool CSerialPort::Write(const void* buffer, std::uint32_t count) {
    if (!IsOpen()) return false;
    return device_.Write(portHandle_, buffer, count);
}

bool CSerialPort::Close() {
    if (IsOpen() && device_.Close(portHandle_)) portHandle_ = kInvalidDeviceHandle;
    return !IsOpen();
}

void ReleaseSerialPort(std::unique_ptr<CSerialPort>& serialPort) {
    if (!serialPort) return;
    if (serialPort->IsOpen()) serialPort->Close();
    serialPort.reset();
}

}  // namespace torvik
