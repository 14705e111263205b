#include "platform/win32/Win32SerialDevice.h"

#include <windows.h>

namespace torvik::win32 {
namespace {

HANDLE AsHandle(DeviceHandle h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

DeviceHandle Win32SerialDevice::Open(const std::string& name) {
    // The device namespace prefix is what lets COM10 and above open at all.
    const std::string path = "\\\\.\\" + name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return reinterpret_cast<DeviceHandle>(h);
}

bool Win32SerialDevice::ApplyLineSettings(DeviceHandle h, const SerialLineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(AsHandle(h), &dcb);
    dcb.BaudRate = settings.baudRate;
    dcb.ByteSize = settings.byteSize;
    dcb.StopBits = settings.stopBits;
    dcb.Parity = settings.parity;
    return SetCommState(AsHandle(h), &dcb) != FALSE;
}

void Win32SerialDevice::SetImmediateReads(DeviceHandle h) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(AsHandle(h), &timeouts);
}

void Win32SerialDevice::SetQueueSizes(DeviceHandle h, std::uint32_t inQueue, std::uint32_t outQueue) {
    SetupComm(AsHandle(h), inQueue, outQueue);
}

bool Win32SerialDevice::ClearError(DeviceHandle h, std::uint32_t& bytesWaiting) {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(AsHandle(h), &errors, &status)) return false;
    bytesWaiting = status.cbInQue;
    return true;
}

bool Win32SerialDevice::Read(DeviceHandle h, void* buffer, std::uint32_t count, std::uint32_t& bytesRead) {
    DWORD n = 0;
    const BOOL ok = ReadFile(AsHandle(h), buffer, count, &n, nullptr);
    bytesRead = n;
    return ok != FALSE;
}

bool Win32SerialDevice::Write(DeviceHandle h, const void* buffer, std::uint32_t count) {
    DWORD n = 0;
    return WriteFile(AsHandle(h), buffer, count, &n, nullptr) != FALSE;
}

bool Win32SerialDevice::Close(DeviceHandle h) { return CloseHandle(AsHandle(h)) != FALSE; }

}  // namespace torvik::win32
