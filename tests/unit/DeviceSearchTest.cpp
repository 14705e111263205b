#include <gtest/gtest.h>

#include <algorithm>

#include "FakeBoard.h"
#include "FakeProcess.h"
#include "device/DeviceSearch.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

using boardsim::BoardMode;
using boardsim::BoardOptions;
using boardsim::RecordKind;

struct Searching : FakeProcess {
    Searching() {
        Start();
        state().settings.language = kEnglish;
    }
    FakeBoard& BoardOn(const std::string& port, BoardOptions options = {}) {
        boards.push_back(std::make_unique<FakeBoard>(clock, options));
        boards.back()->OnSerial(serial.Port(port));
        return *boards.back();
    }
    void Find() { ASSERT_TRUE(dialog.Click(ctl::kFind)); }
    std::string Status() { return dialog.GetItemText(ctl::kStatusLine); }
    bool DisplayGroupEnabled() {
        return std::all_of(std::begin(kDisplayGroup), std::end(kDisplayGroup),
                           [this](int id) { return dialog.IsItemEnabled(id); });
    }
    bool DisplayGroupDisabled() {
        return std::none_of(std::begin(kDisplayGroup), std::end(kDisplayGroup),
                            [this](int id) { return dialog.IsItemEnabled(id); });
    }
    std::string Log() { return window.runLog().buffer(); }
    std::vector<std::string> Opens() {
        std::vector<std::string> opens;
        for (const std::string& call : serial.calls())
            if (call.rfind("open ", 0) == 0) opens.push_back(call.substr(5));
        return opens;
    }
    std::vector<std::unique_ptr<FakeBoard>> boards;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DeviceSearch, SilentComOneIsProbedAndClosedThenTheBoardOnComTwoIsLinked) {
    Searching s;
    s.BoardOn("COM1", BoardOptions{900, 0, false, 0, BoardMode::Silent});
    FakeBoard& board = s.BoardOn("COM2", BoardOptions{900, 2});
    s.Find();
    EXPECT_EQ(s.Opens(), (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_EQ(s.serial.OpenPorts(), std::vector<std::string>{"COM2"});
    EXPECT_EQ(s.serial.Port("COM1").written, std::vector<std::uint8_t>{0x80});
    EXPECT_EQ(board.Count(RecordKind::Probe), 1u);
    EXPECT_EQ(board.Count(RecordKind::CountQuery), 1u);
    EXPECT_TRUE(s.link().connected);
    EXPECT_EQ(s.link().versionClass, 9);
    EXPECT_EQ(s.Status(), "WatchDog linked! Ver:3.0384");
    EXPECT_TRUE(Contains(s.Log(), "] : Reset times last time: 2\r\n"));
    EXPECT_TRUE(Contains(s.Log(), "] : WatchDog linked! Ver:3.0384\r\n"));
    EXPECT_LT(s.Log().find("Reset times"), s.Log().find("WatchDog linked"));
    EXPECT_EQ(s.clock.pausedMs, 400u) << "100 ms for the silent port, 300 for the board";
}

TEST(DeviceSearch, VersionDecidesTheDisplayGroup) {
    const struct {
        std::uint16_t version;
        int versionClass;
        const char* status;
        bool display;
    } cases[] = {{900, 9, "WatchDog linked! Ver:3.0384", true},
                 {899, 8, "WatchDog linked! Ver:3.0383", false},
                 {0x1234, 46, "WatchDog linked! Ver:3.1234", true}};
    for (const auto& c : cases) {
        Searching s;
        s.BoardOn("COM4", BoardOptions{c.version});
        s.Find();
        EXPECT_EQ(s.link().versionClass, c.versionClass) << c.version;
        EXPECT_EQ(s.Status(), c.status);
        EXPECT_EQ(c.display ? s.DisplayGroupEnabled() : s.DisplayGroupDisabled(), true) << c.version;
    }
}

TEST(DeviceSearch, ResetCountIsLoggedOnlyFromOneToFive) {
    for (int count : {0, 1, 5, 6}) {
        Searching s;
        s.BoardOn("COM1", BoardOptions{900, static_cast<std::uint8_t>(count)});
        s.Find();
        EXPECT_EQ(Contains(s.Log(), "Reset times last time:"), count >= 1 && count <= 5) << count;
        if (count == 5) {
            EXPECT_TRUE(Contains(s.Log(), "Reset times last time: 5\r\n"));
        }
    }
}

TEST(DeviceSearch, MisbehavingBoards) {
    const struct {
        const char* name;
        BoardMode mode;
        bool linked;
        const char* status;
        bool resetLine;
    } cases[] = {
        {"silent", BoardMode::Silent, false, "WatchDog error!", false},
        {"wrong first byte", BoardMode::WrongFirstByte, false, "WatchDog error!", false},
        {"ten bytes or more", BoardMode::Long, false, "WatchDog error!", false},
        {"late beyond the pause", BoardMode::Late, false, "WatchDog error!", false},
        // Two probe bytes: the missing low byte counts as 0. The one-byte count reply
        // carries no count, so nothing about resets is logged.
        {"short", BoardMode::Short, true, "WatchDog linked! Ver:3.0300", false},
    };
    for (const auto& c : cases) {
        Searching s;
        BoardOptions options{900, 2};
        options.mode = c.mode;
        options.lateMs = 300;
        s.BoardOn("COM1", options);
        s.Find();
        EXPECT_EQ(s.link().connected, c.linked) << c.name;
        EXPECT_EQ(s.Status(), c.status) << c.name;
        EXPECT_EQ(Contains(s.Log(), "Reset times"), c.resetLine) << c.name;
    }
}

TEST(DeviceSearch, ShortProbeRepliesGiveVersionZeroForMissingBytes) {
    const unsigned char one[] = {0x81}, two[] = {0x81, 0x03}, three[] = {0x81, 0x03, 0x84};
    EXPECT_EQ(VersionFromProbeReply(one, 1), 0u);
    EXPECT_EQ(VersionFromProbeReply(two, 2), 0x0300u);
    EXPECT_EQ(VersionFromProbeReply(three, 3), 900u);
}

TEST(DeviceSearch, NoBoardShowsTheErrorAndOnlyTheFirstSearchLogs) {
    Searching s;
    s.serial.Port("COM1");  // a port with nothing behind it
    s.Find();
    s.Find();
    EXPECT_EQ(s.Status(), "WatchDog error!");
    const std::string log = s.Log();
    EXPECT_EQ(log.find("WatchDog error!"), log.rfind("WatchDog error!")) << "logged once";
    s.BoardOn("COM3");
    s.Find();
    EXPECT_EQ(s.Status(), "WatchDog linked! Ver:3.0384");
    EXPECT_FALSE(Contains(s.Log(), "linked")) << "later searches do not log the outcome";

    Searching chinese;
    chinese.state().settings.language = kChinese;
    chinese.BoardOn("COM1");
    chinese.Find();
    EXPECT_EQ(chinese.Status(), "看门狗连接正常! Ver:3.0384");
}

TEST(DeviceSearch, HidBoardLinksWithVersionZeroAndComPortsAreNeverProbedAgain) {
    Searching s;
    FakeBoard hidBoard(s.clock);
    hidBoard.OnHid(s.hid.Board());
    s.BoardOn("COM1");
    s.Find();
    EXPECT_EQ(s.Status(), "WatchDog linked! Ver:3.0000");
    EXPECT_TRUE(s.link().overHid);
    EXPECT_EQ(s.link().versionClass, 0);
    EXPECT_TRUE(s.DisplayGroupDisabled());
    EXPECT_FALSE(Contains(s.Log(), "Reset times"));

    s.hid.at(0).present = false;  // unplugged
    for (int i = 0; i < 6; ++i) s.dialog.Timer();  // feeds fail, searches follow
    EXPECT_FALSE(s.link().connected);
    EXPECT_EQ(s.Status(), "WatchDog error!");
    EXPECT_TRUE(s.Opens().empty()) << "once HID, the COM ports are left alone";

    s.hid.at(0).present = true;  // plugged back
    s.dialog.Timer();
    s.dialog.Timer();
    EXPECT_TRUE(s.link().connected);
    EXPECT_EQ(s.Status(), "WatchDog linked! Ver:3.0000");
}

TEST(DeviceSearch, FindButtonWhileLinkedKeepsTheBoardItsVersionAndItsDisplayControls) {
    Searching s;
    s.BoardOn("COM2");
    s.Find();
    const size_t opens = s.Opens().size();
    s.Find();
    EXPECT_EQ(s.Opens().size(), opens) << "no port is probed while linked";
    EXPECT_EQ(s.Status(), "WatchDog linked! Ver:3.0384");
    EXPECT_EQ(s.link().versionClass, 9);
    EXPECT_TRUE(s.DisplayGroupEnabled());
}

TEST(DeviceSearch, LostSerialLinkIsFoundAgainFromComOne) {
    Searching s;
    s.serial.Port("COM1");
    FakeBoard& board = s.BoardOn("COM3");
    s.state().settings.timeoutSeconds = 180;
    s.dialog.Timer();
    s.dialog.Timer();  // the first one-second step searches
    ASSERT_TRUE(s.link().connected);
    s.dialog.Timer();
    s.dialog.Timer();  // the next step feeds
    EXPECT_EQ(board.Count(RecordKind::Feed), 1u);

    s.serial.Port("COM3").failWrite = true;  // the adapter is pulled
    const size_t opensBefore = s.Opens().size();
    s.dialog.Timer();
    s.dialog.Timer();  // the feed fails and the same step searches again
    EXPECT_FALSE(s.link().connected);
    const std::vector<std::string> allOpens = s.Opens();
    const std::vector<std::string> opens(allOpens.begin() + static_cast<long>(opensBefore), allOpens.end());
    ASSERT_FALSE(opens.empty());
    EXPECT_EQ(opens.front(), "COM1") << "probing starts again from COM1";
    const auto& calls = s.serial.calls();
    const auto firstReopen = std::find(calls.rbegin(), calls.rend(), "open COM1");
    EXPECT_NE(std::find(firstReopen, calls.rend(), "close"), calls.rend()) << "the old port was closed first";
}

}  // namespace
}  // namespace torvik::testing
