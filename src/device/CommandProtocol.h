// The byte protocol to the board: single-byte commands over either transport,
// multi-byte frames over the serial transport only. A failed send shows only in
// the link flags.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "device/HidChannel.h"
#include "device/LinkState.h"
#include "device/SerialPort.h"

namespace torvik {

namespace command {
constexpr std::uint8_t kProbe = 0x80;
constexpr std::uint8_t kProbeReply = 0x81;
constexpr std::uint8_t kBuzzerOn = 0xF3;
constexpr std::uint8_t kBuzzerOff = 0xF4;
constexpr std::uint8_t kDisableWatchdog = 0xFD;
constexpr std::uint8_t kResetNow = 0xFF;
constexpr std::uint8_t kCountQuery = 0xE3;
constexpr std::uint8_t kDeviceNumber = 0xE1;
constexpr std::uint8_t kDisplay = 0xE0;
}  // namespace command

// Seven-segment glyphs of the digits 0 to 9 (bit 0 segment a ... bit 6 g, bit 7 the point).
extern const std::array<std::uint8_t, 10> SegmentFont;

// The feed byte for a timeout: tens of seconds, always held in 1 to 127 so that it
// can never be taken for another command.
std::uint8_t FeedByte(std::int32_t timeoutSeconds);
std::array<std::uint8_t, 6> TimeFrame(int hour, int minute);
std::array<std::uint8_t, 6> AdapterCountFrame(std::uint8_t adapterCount);
std::array<std::uint8_t, 3> DeviceNumberFrame(std::int32_t number);

class BoardLink {
public:
    BoardLink(LinkState& link, HidChannel& hid) : link_(link), hid_(hid) {}

    // The serial port the transport writes to; null once released.
    void AttachSerialPort(CSerialPort* port) { serialPort_ = port; }

    void SendCommand(std::uint8_t command);
    void SendFrame(const std::uint8_t* bytes, std::size_t length);
    void SendTimeDisplay(int hour, int minute);
    void SendAdapterCountDisplay(std::uint8_t baselineAdapterCount);
    void SendDeviceNumber(std::int32_t number);

private:
    bool WriteSerial(const std::uint8_t* bytes, std::size_t length);

    LinkState& link_;
    HidChannel& hid_;
    CSerialPort* serialPort_ = nullptr;
};

}  // namespace torvik
