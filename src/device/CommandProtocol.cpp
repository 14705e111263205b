#include "device/CommandProtocol.h"

#include <algorithm>

namespace torvik {

const std::array<std::uint8_t, 10> SegmentFont = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0xFF, 0x6F};

std::uint8_t FeedByte(std::int32_t timeoutSeconds) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(timeoutSeconds / 10, 1, 127));
}

std::array<std::uint8_t, 6> TimeFrame(int hour, int minute) {
    return {command::kDisplay, SegmentFont[hour / 10 % 10], SegmentFont[hour % 10], SegmentFont[minute / 10 % 10],
            SegmentFont[minute % 10], 0x10};
}

std::array<std::uint8_t, 6> AdapterCountFrame(std::uint8_t adapterCount) {
    const int n = adapterCount % 99;  // the display has two digits: 99 shows as 00
    return {command::kDisplay, 0x5E, 0x40, SegmentFont[n / 10], SegmentFont[n % 10], 0x00};
}

std::array<std::uint8_t, 3> DeviceNumberFrame(std::int32_t number) {
    const std::int32_t reduced = number % 10000;
    return {command::kDeviceNumber, static_cast<std::uint8_t>(reduced / 256), static_cast<std::uint8_t>(reduced & 0xFF)};
}

bool BoardLink::WriteSerial(const std::uint8_t* bytes, std::size_t length) {
    return serialPort_ && serialPort_->Write(bytes, static_cast<std::uint32_t>(length));
}

void BoardLink::SendCommand(std::uint8_t command) {
    hid_.SetCommandByte(command);
    if (!link_.overHid) {
        if (!WriteSerial(&command, 1)) link_.connected = false;
        return;
    }
    if (!link_.hidFound) link_.hidFound = hid_.FindHidDevice();
    if (!link_.hidFound) {
        link_.connected = false;
        return;
    }
    hid_.WriteHidReport();
}

void BoardLink::SendFrame(const std::uint8_t* bytes, std::size_t length) {
    if (link_.overHid) return;
    if (!WriteSerial(bytes, length)) link_.connected = false;
}

void BoardLink::SendTimeDisplay(int hour, int minute) {
    const auto frame = TimeFrame(hour, minute);
    if (link_.versionClass > 8) SendFrame(frame.data(), frame.size());
}

void BoardLink::SendAdapterCountDisplay(std::uint8_t baselineAdapterCount) {
    const auto frame = AdapterCountFrame(baselineAdapterCount);
    if (link_.versionClass > 8) SendFrame(frame.data(), frame.size());
}

void BoardLink::SendDeviceNumber(std::int32_t number) {
    const auto frame = DeviceNumberFrame(number);
    SendFrame(frame.data(), frame.size());
}

}  // namespace torvik
