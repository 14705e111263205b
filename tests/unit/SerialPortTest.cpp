#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSerialDevice.h"
#include "device/SerialPort.h"

namespace torvik::testing {
namespace {

struct LineCase {
    const char* name;
    std::uint32_t baud;
    int dataBits, stopBits, parity;
    std::uint32_t wantBaud;
    int wantDataBits, wantStopBits, wantParity;
};

class SerialPortLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(SerialPortLines, OutOfRangeSettingsAreReplacedAndTheRestPassUnchanged) {
    const LineCase& c = GetParam();
    FakeSerialDevice device;
    device.Port("COM3");
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(3, c.baud, c.dataBits, c.stopBits, c.parity, 1024, 512));
    const FakeSerialLine& line = device.Port("COM3");
    EXPECT_EQ(line.settings.baudRate, c.wantBaud);
    EXPECT_EQ(line.settings.byteSize, c.wantDataBits);
    EXPECT_EQ(line.settings.stopBits, c.wantStopBits);
    EXPECT_EQ(line.settings.parity, c.wantParity);
    EXPECT_TRUE(line.immediateReads);
    EXPECT_EQ(line.inQueue, 1024u);
    EXPECT_EQ(line.outQueue, 512u);
}

INSTANTIATE_TEST_SUITE_P(
    Clamps, SerialPortLines,
    ::testing::Values(LineCase{"baud0", 0, 8, 0, 0, 50, 8, 0, 0}, LineCase{"baud49", 49, 8, 0, 0, 50, 8, 0, 0},
                      LineCase{"baud50", 50, 8, 0, 0, 50, 8, 0, 0}, LineCase{"baud9600", 9600, 8, 0, 0, 9600, 8, 0, 0},
                      LineCase{"bits3", 9600, 3, 0, 0, 9600, 8, 0, 0}, LineCase{"bits9", 9600, 9, 0, 0, 9600, 8, 0, 0},
                      LineCase{"bits4", 9600, 4, 0, 0, 9600, 4, 0, 0}, LineCase{"bits5", 9600, 5, 0, 0, 9600, 5, 0, 0},
                      LineCase{"bits6", 9600, 6, 0, 0, 9600, 6, 0, 0}, LineCase{"bits7", 9600, 7, 0, 0, 9600, 7, 0, 0},
                      LineCase{"stop4", 9600, 8, 4, 0, 9600, 8, 1, 0}, LineCase{"stop3", 9600, 8, 3, 0, 9600, 8, 3, 0},
                      LineCase{"stopNegative", 9600, 8, -1, 0, 9600, 8, 1, 0},
                      LineCase{"parity4", 9600, 8, 1, 4, 9600, 8, 1, 1}, LineCase{"parity0", 9600, 8, 1, 0, 9600, 8, 1, 0},
                      LineCase{"parity1", 9600, 8, 1, 1, 9600, 8, 1, 1}, LineCase{"parity2", 9600, 8, 1, 2, 9600, 8, 1, 2},
                      LineCase{"parity3", 9600, 8, 1, 3, 9600, 8, 1, 3},
                      LineCase{"parityNegative", 9600, 8, 1, -2, 9600, 8, 1, 1}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(SerialPort, PortNumbersOutsideOneTo255AreRefusedWithoutTouchingDevicesButCloseTheOpenPort) {
    for (int number : {0, 256, -1}) {
        FakeSerialDevice device;
        device.Port("COM1");
        CSerialPort port(device);
        ASSERT_TRUE(port.Open(1, 9600, 8, 1, 0, 1024, 1024));
        const size_t callsBefore = device.calls().size();
        EXPECT_FALSE(port.Open(number, 9600, 8, 1, 0, 1024, 1024)) << number;
        EXPECT_FALSE(port.IsOpen());
        EXPECT_TRUE(device.OpenPorts().empty());
        // The only call is the close of the previous port: no device was opened.
        EXPECT_EQ(std::vector<std::string>(device.calls().begin() + static_cast<long>(callsBefore), device.calls().end()),
                  std::vector<std::string>{"close"});
    }
}

TEST(SerialPort, ClosedPortAnswersWithoutCallingTheSystem) {
    FakeSerialDevice device;
    CSerialPort port(device);
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(port.Write(buffer, 1));
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(device.calls().empty());
}

TEST(SerialPort, OpenPortCountsReadsAndWrites) {
    FakeSerialDevice device;
    FakeSerialLine& line = device.Port("COM3");
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(3, 9600, 8, 1, 0, 1024, 1024));
    std::uint8_t buffer[9] = {};
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    line.incoming = {0x81, 0x03, 0x84};
    EXPECT_EQ(port.BytesAvailable(), 3);
    EXPECT_EQ(port.Read(buffer, 2), 2u);
    EXPECT_EQ(buffer[0], 0x81);
    EXPECT_EQ(buffer[1], 0x03);
    const std::uint8_t feed = 18;
    EXPECT_TRUE(port.Write(&feed, 1));
    EXPECT_EQ(line.written, std::vector<std::uint8_t>{18});
    line.failWrite = true;
    EXPECT_FALSE(port.Write(&feed, 1));
    EXPECT_TRUE(port.IsOpen()) << "a failed write leaves the port open";
    line.failClearError = true;
    EXPECT_EQ(port.BytesAvailable(), 0);
}

TEST(SerialPort, RefusedLineSettingsCloseTheHandle) {
    FakeSerialDevice device;
    device.Port("COM2").refuseSettings = true;
    CSerialPort port(device);
    EXPECT_FALSE(port.Open(2, 9600, 8, 1, 0, 1024, 1024));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(device.OpenPorts().empty());
}

TEST(SerialPort, MissingOrBusyPortFailsToOpen) {
    FakeSerialDevice device;
    device.Port("COM5");
    CSerialPort holder(device), port(device);
    EXPECT_FALSE(port.Open(4, 9600, 8, 1, 0, 1024, 1024));  // no such port
    ASSERT_TRUE(holder.Open(5, 9600, 8, 1, 0, 1024, 1024));
    EXPECT_FALSE(port.Open(5, 9600, 8, 1, 0, 1024, 1024));  // held by another
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, FailedCloseKeepsTheHandleAndTheNextOpenClosesItAgain) {
    FakeSerialDevice device;
    device.Port("COM1").failClose = true;
    device.Port("COM2");
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(1, 9600, 8, 1, 0, 1024, 1024));
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(port.IsOpen());
    device.Port("COM1").failClose = false;  // the retry goes through
    ASSERT_TRUE(port.Open(2, 9600, 8, 1, 0, 1024, 1024));
    EXPECT_EQ(device.OpenPorts(), std::vector<std::string>{"COM2"});
}

TEST(SerialPort, CloseThatKeepsFailingIsRetriedOnceAndTheHandleReplaced) {
    FakeSerialDevice device;
    device.Port("COM1").failClose = true;
    device.Port("COM2");
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(1, 9600, 8, 1, 0, 1024, 1024));
    const size_t before = device.calls().size();
    ASSERT_TRUE(port.Open(2, 9600, 8, 1, 0, 1024, 1024));
    const std::vector<std::string> calls(device.calls().begin() + static_cast<long>(before), device.calls().end());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), 2);
    EXPECT_EQ(calls[2], "open COM2");
}

TEST(SerialPort, OpeningASecondPortClosesTheFirst) {
    FakeSerialDevice device;
    device.Port("COM1");
    device.Port("COM2");
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(1, 9600, 8, 1, 0, 1024, 1024));
    ASSERT_TRUE(port.Open(2, 9600, 8, 1, 0, 1024, 1024));
    EXPECT_EQ(device.OpenPorts(), std::vector<std::string>{"COM2"});
    EXPECT_FALSE(port.Open(7, 9600, 8, 1, 0, 1024, 1024));  // missing: nothing open afterwards
    EXPECT_TRUE(device.OpenPorts().empty());
}

TEST(SerialPort, ReleaseClosesOnceAndASecondReleaseDoesNothing) {
    FakeSerialDevice device;
    device.Port("COM1");
    auto port = std::make_unique<CSerialPort>(device);
    ASSERT_TRUE(port->Open(1, 9600, 8, 1, 0, 1024, 1024));
    ReleaseSerialPort(port);
    EXPECT_EQ(port, nullptr);
    EXPECT_TRUE(device.OpenPorts().empty());
    const size_t calls = device.calls().size();
    ReleaseSerialPort(port);
    EXPECT_EQ(device.calls().size(), calls);
}

}  // namespace
}  // namespace torvik::testing
