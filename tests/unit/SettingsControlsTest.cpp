#include <gtest/gtest.h>

#include "FakeBoard.h"
#include "FakeProcess.h"
#include "storage/ConfigFile.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

using boardsim::RecordKind;
using Bytes = std::vector<std::uint8_t>;

struct Controls : FakeProcess {
    Controls() {
        Start();
        http.AnswerAtOnce(true);
    }
    bool SaveEnabled() { return dialog.IsItemEnabled(ctl::kSave); }
    std::string Config() { return ScratchFolder::Read(kConfigFile); }
    std::string Log() { return window.runLog().buffer(); }
    // A serial board linked on COM1 by the find button.
    FakeBoard& LinkBoard(std::uint16_t version = 900) {
        board = std::make_unique<FakeBoard>(clock, boardsim::BoardOptions{version});
        board->OnSerial(serial.Port("COM1"));
        dialog.Click(ctl::kFind);
        serial.Port("COM1").written.clear();
        return *board;
    }
    Bytes Sent() { return serial.Port("COM1").written; }
    std::unique_ptr<FakeBoard> board;
};

TEST(SettingsControls, SaveButtonFollowsEveryEvent) {
    Controls c;
    EXPECT_FALSE(c.SaveEnabled()) << "after start-up";
    c.dialog.Click(ctl::kShowTimeCheck);  // disabled until a display board: nothing happens
    EXPECT_FALSE(c.SaveEnabled());
    c.LinkBoard();
    struct Step {
        const char* event;
        std::function<void(Controls&)> act;
        bool enabled;
    };
    const Step steps[] = {
        {"type a website", [](Controls& x) { x.dialog.TypeText(ctl::kWebsiteEdit, "a.example"); }, true},
        {"Save", [](Controls& x) { x.dialog.Click(ctl::kSave); }, false},
        {"type a title", [](Controls& x) { x.dialog.TypeText(ctl::kProgramEdit, "Miner"); }, true},
        {"slider", [](Controls& x) { x.dialog.DragSlider(ctl::kDaysSlider, 3); }, false},
        {"video card box", [](Controls& x) { x.dialog.Click(ctl::kVideoCardCheck); }, false},
        {"time box", [](Controls& x) { x.dialog.Click(ctl::kShowTimeCheck); }, true},
        {"Save again", [](Controls& x) { x.dialog.Click(ctl::kSave); }, false},
        {"cards box", [](Controls& x) { x.dialog.Click(ctl::kShowCardsCheck); }, true},
        {"website Test that succeeds",
         [](Controls& x) {
             x.dialog.Click(ctl::kWebsiteTest);
             x.WaitForWebsiteAnswer();
         },
         false},
        {"sound box", [](Controls& x) { x.dialog.Click(ctl::kSoundCheck); }, true},
    };
    for (const Step& s : steps) {
        s.act(c);
        EXPECT_EQ(c.SaveEnabled(), s.enabled) << s.event;
    }
}

TEST(SettingsControls, SliderSavesBothPositionsAndTheTypedTitle) {
    Controls c;
    ScratchFolder::Write(kConfigFile, "timeout=0180;TimedRestartDays=7;");
    LoadConfig(c.state().settings, c.dialog);
    EXPECT_EQ(c.dialog.GetItemText(ctl::kTimeoutLabel), "0180");
    c.dialog.TypeText(ctl::kProgramEdit, "Miner");
    c.dialog.DragSlider(ctl::kDaysSlider, 3);
    EXPECT_EQ(c.dialog.GetItemText(ctl::kTimeoutLabel), "180") << "reformatted although the other slider moved";
    EXPECT_EQ(c.dialog.GetItemText(ctl::kDaysLabel), "3");
    EXPECT_EQ(c.state().settings.restartDays, 3);
    const std::string saved = c.Config();
    EXPECT_NE(saved.find("timeout=180;"), std::string::npos);
    EXPECT_NE(saved.find("TimedRestartDays=3;"), std::string::npos);
    EXPECT_NE(saved.find("AppName=Miner;"), std::string::npos) << "the typed title is saved without Save";

    c.dialog.DragSlider(ctl::kTimeoutSlider, 187);
    EXPECT_EQ(c.state().settings.timeoutSeconds, 187);
    EXPECT_NE(c.Config().find("timeout=187;"), std::string::npos);
    EXPECT_TRUE(c.dialog.Notify(ctl::kTimeoutSlider, notify::kOutOfMemory).handled);
}

TEST(SettingsControls, DisplayAndSoundBoxesResetTheCycleSendAndSave) {
    struct Case {
        int box;
        std::uint16_t version;
        Bytes checked, unchecked;
        const char* key;
    };
    const Case cases[] = {
        {ctl::kShowTimeCheck, 900, {0xE0, 0x3F, 0x6F, 0x3F, 0x6D, 0x10}, {}, "display_time="},
        {ctl::kShowCardsCheck, 900, {0xE0, 0x5E, 0x40, 0x3F, 0x06, 0x00}, {}, "display_card_num="},
        {ctl::kSoundCheck, 900, {0xF3}, {0xF4}, "sound_switch="},
    };
    for (const Case& k : cases) {
        Controls c;
        c.LinkBoard(k.version);
        c.dialog.SetCheck(k.box, 0);
        c.state().tick.cycleCounter = 15;
        c.dialog.Click(k.box);  // checks it
        EXPECT_EQ(c.state().tick.cycleCounter, 0) << k.box;
        EXPECT_EQ(c.Sent(), k.checked) << k.box;
        EXPECT_NE(c.Config().find(std::string(k.key) + "1;"), std::string::npos) << k.box;
        EXPECT_TRUE(c.SaveEnabled());
        c.serial.Port("COM1").written.clear();
        c.dialog.Click(k.box);  // unchecks it
        EXPECT_EQ(c.Sent(), k.unchecked) << k.box;
        EXPECT_NE(c.Config().find(std::string(k.key) + "0;"), std::string::npos) << k.box;
    }
}

TEST(SettingsControls, DisplayFramesGoOnlyToASerialBoardWithADisplay) {
    Controls hidBoard;
    FakeBoard onHid(hidBoard.clock);
    onHid.OnHid(hidBoard.hid.Board());
    hidBoard.dialog.Click(ctl::kFind);
    hidBoard.dialog.EnableItem(ctl::kShowTimeCheck, true);  // as if a display board had been seen
    hidBoard.dialog.Click(ctl::kShowTimeCheck);
    EXPECT_EQ(onHid.Count(RecordKind::Display), 0u);

    Controls old;
    old.LinkBoard(899);
    old.dialog.EnableItem(ctl::kShowCardsCheck, true);
    old.dialog.SetCheck(ctl::kShowCardsCheck, 0);
    old.dialog.Click(ctl::kShowCardsCheck);
    EXPECT_TRUE(old.Sent().empty());
}

TEST(SettingsControls, SetButtonSendsTheNumberModuloTenThousandAndLogsIt) {
    const struct {
        const char* typed;
        Bytes frame;
        const char* logged;
    } cases[] = {
        {"7", {0xE1, 0x00, 0x07}, "Set watchdog device No. : 0007!"},
        {"12345", {0xE1, 0x09, 0x29}, "Set watchdog device No. : 2345!"},
        {"abc", {0xE1, 0x00, 0x00}, "Set watchdog device No. : 0000!"},
        {"12a", {0xE1, 0x00, 0x00}, "Set watchdog device No. : 0000!"},
        {"-5", {0xE1, 0x00, 0xFB}, "Set watchdog device No. : -005!"},
        {"99999999999", {0xE1, 0x00, 0x00}, "Set watchdog device No. : 0000!"},
    };
    for (const auto& k : cases) {
        Controls c;
        c.LinkBoard();
        c.dialog.TypeText(ctl::kDeviceNumberEdit, k.typed);
        c.state().tick.cycleCounter = 11;
        ASSERT_TRUE(c.dialog.Click(ctl::kSetDeviceNumber));
        EXPECT_EQ(c.Sent(), k.frame) << k.typed;
        EXPECT_NE(c.Log().find(std::string("] : ") + k.logged + "\r\n"), std::string::npos) << k.typed;
        EXPECT_EQ(c.state().tick.cycleCounter, 0);
    }
}

TEST(SettingsControls, ResetNowLogsBeforeItSendsAlsoWithoutABoard) {
    Controls linked;
    FakeBoard& board = linked.LinkBoard();
    bool loggedFirst = false;
    linked.serial.Port("COM1").onWrite = [&](const std::uint8_t* bytes, std::size_t n) {
        loggedFirst = ScratchFolder::Read("RunLog.txt").find("Reset the system now!\r\n") != std::string::npos;
        board.model.ReceiveSerial(bytes, n, linked.clock.ms);
    };
    linked.dialog.Click(ctl::kResetNow);
    EXPECT_EQ(linked.Sent(), Bytes{0xFF});
    EXPECT_TRUE(loggedFirst) << "the line is in the file before the board hears 255";
    EXPECT_EQ(board.Count(RecordKind::ResetNow), 1u);

    Controls alone;
    alone.dialog.Click(ctl::kResetNow);
    EXPECT_NE(alone.Log().find("Reset the system now!"), std::string::npos);
}

TEST(SettingsControls, HiddenDisableAndTheLinkButton) {
    Controls c;
    c.LinkBoard();
    c.dialog.Click(ctl::kDisableWatchdog);
    EXPECT_EQ(c.Sent(), Bytes{0xFD});
    c.dialog.Click(ctl::kMakerLink);
    EXPECT_EQ(c.shell.opened, std::vector<std::string>{"https://torvik.example.com"});
}

}  // namespace
}  // namespace torvik::testing
