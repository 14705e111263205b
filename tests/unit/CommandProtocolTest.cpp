#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "FakeHidDevices.h"
#include "FakeSerialDevice.h"
#include "device/CommandProtocol.h"

namespace torvik::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
template <std::size_t N>
Bytes AsBytes(const std::array<std::uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

TEST(CommandProtocol, FeedByteIsTensOfSecondsHeldInOneTo127) {
    const struct {
        std::int32_t timeout;
        std::uint8_t feed;
    } cases[] = {{10, 1},    {180, 18},  {1270, 127}, {0, 1},         {9, 1},          {-100, 1},
                 {1280, 127}, {2550, 127}, {INT_MAX, 127}, {INT_MIN, 1}, {19, 1}, {1279, 127}};
    for (const auto& c : cases) EXPECT_EQ(FeedByte(c.timeout), c.feed) << c.timeout;
}

TEST(CommandProtocol, DisplayAndNumberFrames) {
    EXPECT_EQ(AsBytes(TimeFrame(9, 5)), (Bytes{0xE0, 0x3F, 0x6F, 0x3F, 0x6D, 0x10}));
    EXPECT_EQ(AsBytes(TimeFrame(8, 0)), (Bytes{0xE0, 0x3F, 0xFF, 0x3F, 0x3F, 0x10}));
    EXPECT_EQ(AsBytes(TimeFrame(23, 59)), (Bytes{0xE0, 0x5B, 0x4F, 0x6D, 0x6F, 0x10}));
    EXPECT_EQ(AsBytes(AdapterCountFrame(6)), (Bytes{0xE0, 0x5E, 0x40, 0x3F, 0x7D, 0x00}));
    EXPECT_EQ(AsBytes(AdapterCountFrame(99)), (Bytes{0xE0, 0x5E, 0x40, 0x3F, 0x3F, 0x00}));
    EXPECT_EQ(AsBytes(AdapterCountFrame(123)), (Bytes{0xE0, 0x5E, 0x40, 0x5B, 0x66, 0x00}));
    const struct {
        std::int32_t number;
        Bytes frame;
    } numbers[] = {{1234, {0xE1, 0x04, 0xD2}}, {12345, {0xE1, 0x09, 0x29}}, {0, {0xE1, 0x00, 0x00}},
                   {10000, {0xE1, 0x00, 0x00}}, {-5, {0xE1, 0x00, 0xFB}}};
    for (const auto& c : numbers) EXPECT_EQ(AsBytes(DeviceNumberFrame(c.number)), c.frame) << c.number;
}

// A link over a fake serial port on COM3 or a fake HID board.
struct Link {
    LinkState state;
    FakeSerialDevice serial;
    FakeHidDevices devices;
    HidChannel hid{devices, state};
    BoardLink board{state, hid};
    CSerialPort port{serial};

    void OverSerial(int versionClass) {
        serial.Port("COM3");
        ASSERT_TRUE(port.Open(3, 9600, 8, 1, 0, 1024, 1024));
        board.AttachSerialPort(&port);
        state.connected = true;
        state.versionClass = versionClass;
    }
    Bytes Written() { return serial.Port("COM3").written; }
};

TEST(CommandProtocol, SerialTransportSendsCommandsAndFramesAndDisplayFramesOnlyToDisplayBoards) {
    Link display;
    display.OverSerial(9);
    display.board.SendCommand(18);
    display.board.SendTimeDisplay(9, 5);
    display.board.SendAdapterCountDisplay(6);
    display.board.SendDeviceNumber(1234);
    EXPECT_EQ(display.Written(), (Bytes{18, 0xE0, 0x3F, 0x6F, 0x3F, 0x6D, 0x10, 0xE0, 0x5E, 0x40, 0x3F, 0x7D, 0x00,
                                        0xE1, 0x04, 0xD2}));

    Link plain;
    plain.OverSerial(8);
    plain.board.SendTimeDisplay(9, 5);
    plain.board.SendAdapterCountDisplay(6);
    plain.board.SendDeviceNumber(1234);
    EXPECT_EQ(plain.Written(), (Bytes{0xE1, 0x04, 0xD2})) << "the number frame needs no display check";
    EXPECT_TRUE(plain.state.connected);
}

TEST(CommandProtocol, FailedSerialWriteOrNoPortClearsConnected) {
    Link link;
    link.OverSerial(9);
    link.serial.Port("COM3").failWrite = true;
    link.board.SendCommand(18);
    EXPECT_FALSE(link.state.connected);

    link.state.connected = true;
    link.board.SendTimeDisplay(9, 5);
    EXPECT_FALSE(link.state.connected);

    Link none;  // before the first search: no port open
    none.state.connected = true;
    none.board.SendCommand(18);
    EXPECT_FALSE(none.state.connected);
}

TEST(CommandProtocol, HidBoardGetsOneReportPerCommandAndNoFrames) {
    Link link;
    FakeHidInterface& board = link.devices.Board();
    board.outputReportLength = 9;
    ASSERT_TRUE(link.hid.FindHidDevice());
    EXPECT_TRUE(link.state.connected);
    EXPECT_TRUE(link.state.overHid);
    link.state.versionClass = 9;  // even so: frames never go over HID
    link.board.SendCommand(18);
    link.board.SendTimeDisplay(9, 5);
    link.board.SendAdapterCountDisplay(6);
    link.board.SendDeviceNumber(1234);
    ASSERT_EQ(link.devices.at(0).reports.size(), 1u);
    EXPECT_EQ(link.devices.at(0).reports[0], (Bytes{0x00, 0x12, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CommandProtocol, FailedHidWriteIsRediscoveredByTheNextCommandWhichStillGoesOut) {
    Link link;
    link.devices.Board();
    ASSERT_TRUE(link.hid.FindHidDevice());
    link.devices.at(0).failWrite = true;
    link.board.SendCommand(18);
    EXPECT_FALSE(link.state.hidFound);
    EXPECT_TRUE(link.state.connected) << "the link stays until rediscovery fails";
    EXPECT_EQ(link.devices.OpenHandleCount(), 0) << "the dead handles are closed";

    link.devices.at(0).failWrite = false;
    const int before = link.devices.enumerations;
    link.board.SendCommand(0xFF);
    EXPECT_EQ(link.devices.enumerations, before + 1);
    ASSERT_EQ(link.devices.at(0).reports.size(), 1u);
    EXPECT_EQ(link.devices.at(0).reports[0][1], 0xFF);

    link.devices.at(0).failWrite = true;
    link.board.SendCommand(18);
    link.devices.at(0).present = false;  // unplugged: rediscovery finds nothing
    link.board.SendCommand(18);
    EXPECT_FALSE(link.state.connected);
    EXPECT_TRUE(link.state.overHid) << "HID stays the transport for the run";
}

TEST(HidChannel, FirstBoardInEnumerationOrderIsTakenOthersAreOpenedOnlyToBeAskedAndClosed) {
    Link link;
    link.devices.Add(0x046D, 0xC077);
    link.devices.Add(0x2704, 0x9999);
    link.devices.Board();
    link.devices.Board();
    ASSERT_TRUE(link.hid.FindHidDevice());
    EXPECT_EQ(link.devices.opened,
              (std::vector<std::string>{"query \\\\?\\hid#0", "query \\\\?\\hid#1", "query \\\\?\\hid#2",
                                        "write \\\\?\\hid#2", "read \\\\?\\hid#2"}));
    EXPECT_EQ(link.devices.OpenHandleCount(), 3);
    EXPECT_EQ(link.devices.registrations, 1);
}

TEST(HidChannel, NoMatchLeavesLinkFlagsAloneAndABoardThatCannotBeWrittenIsNoMatch) {
    Link link;
    link.devices.Add(0x046D, 0xC077).failAttributes = true;
    link.state.connected = true;  // a serial link, say
    EXPECT_FALSE(link.hid.FindHidDevice());
    EXPECT_TRUE(link.state.connected);
    EXPECT_FALSE(link.state.overHid);

    FakeHidInterface& board = link.devices.Board();
    board.failOpenWrite = true;
    EXPECT_FALSE(link.hid.FindHidDevice());
    EXPECT_FALSE(link.state.overHid);
    EXPECT_EQ(link.devices.OpenHandleCount(), 0);
    link.devices.at(1).failOpenWrite = false;
    EXPECT_TRUE(link.hid.FindHidDevice()) << "the next search tries again";
}

}  // namespace
}  // namespace torvik::testing
