#include <gtest/gtest.h>

#include "FakeProcess.h"
#include "app/MonitorApp.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

struct MainWindow : FakeProcess {
    MainWindow() { serial.Port("COM3"); }
};

TEST(MainWindow, StartUpAddsTheAboutEntryIconsSlidersTimerAndDisablesSave) {
    MainWindow m;
    m.Start();
    EXPECT_EQ(m.dialog.systemMenu(), (std::vector<std::string>{"", "关于 Quellon(&A)..."}));
    EXPECT_EQ(m.dialog.systemMenuCommands(), (std::vector<int>{-1, 16}));
    EXPECT_EQ(m.dialog.bigIcon(), m.window.windowIcon());
    EXPECT_EQ(m.dialog.smallIcon(), m.window.windowIcon());
    EXPECT_NE(m.window.windowIcon(), 0u);
    EXPECT_EQ(m.dialog.timers(), (std::map<int, unsigned>{{100, 500}}));
    EXPECT_FALSE(m.dialog.IsItemEnabled(ctl::kSave));

    struct SliderCase {
        int id, min, max, step;
    };
    for (const SliderCase& s : {SliderCase{ctl::kTimeoutSlider, 10, 1270, 10}, SliderCase{ctl::kDaysSlider, 0, 99, 1}}) {
        const FakeControl& c = m.dialog.control(s.id);
        EXPECT_EQ(c.sliderMin, s.min) << s.id;
        EXPECT_EQ(c.sliderMax, s.max) << s.id;
        EXPECT_EQ(c.ticFrequency, s.step) << s.id;
        EXPECT_EQ(c.lineSize, s.step) << s.id;
        EXPECT_EQ(c.pageSize, s.step) << s.id;
    }
}

TEST(MainWindow, StartsNarrowAtOneOneAndFiveHundredHighWithThePaneCutOff) {
    MainWindow m;
    // Measured where the window is created, before the move.
    const int listLeftAtCreation = m.dialog.GetItemScreenRect(ctl::kProcessList).left;
    m.Start();
    const Rect window = m.dialog.GetWindowRect();
    EXPECT_EQ(window.left, 1);
    EXPECT_EQ(window.top, 1);
    EXPECT_EQ(window.height(), 500);
    EXPECT_EQ(window.width(), listLeftAtCreation - 2);
    EXPECT_LT(window.right, m.dialog.GetItemScreenRect(ctl::kProcessList).left);
    EXPECT_FALSE(m.window.state().paneExpanded);
}

TEST(MainWindow, AboutEntryIsLeftOutWithoutSystemMenuOrText) {
    MainWindow noMenu;
    noMenu.dialog.hasSystemMenu = false;
    noMenu.Start();
    EXPECT_TRUE(noMenu.dialog.systemMenu().empty());

    MainWindow noText;
    noText.dialog.strings.clear();
    noText.Start();
    EXPECT_TRUE(noText.dialog.systemMenu().empty());
}

TEST(MainWindow, SystemCommandsSixteenToThirtyOneOpenTheAboutBoxOthersGoToDefault) {
    MainWindow m;
    m.Start();
    for (unsigned command : {16u, 17u, 31u}) EXPECT_TRUE(m.dialog.SystemCommand(command).handled) << command;
    EXPECT_EQ(m.dialog.aboutBoxRuns(), 3);
    for (unsigned command : {32u, 15u, 0xF020u /* minimise */, 0xF010u /* move */})
        EXPECT_FALSE(m.dialog.SystemCommand(command).handled) << command;
    EXPECT_EQ(m.dialog.aboutBoxRuns(), 3);
}

TEST(MainWindow, EveryWayOfClosingEndsTheWindowAndOkAndCloseReleaseThePort) {
    struct CloseCase {
        const char* name;
        void (*close)(FakeDialog&);
        int result;
        bool releases;
    };
    const CloseCase cases[] = {
        {"close box", [](FakeDialog& d) { d.Close(); }, ctl::kCancel, true},
        {"system menu close", [](FakeDialog& d) { d.SystemCommand(0xF060); }, ctl::kCancel, true},
        {"enter in an edit", [](FakeDialog& d) { d.PressEnter(); }, ctl::kOk, true},
        {"escape", [](FakeDialog& d) { d.PressEscape(); }, ctl::kCancel, false},
    };
    for (const CloseCase& c : cases) {
        MainWindow m;
        m.Start();
        ASSERT_TRUE(m.window.serialPort()->Open(3, 9600, 8, 1, 0, 1024, 1024));
        c.close(m.dialog);
        EXPECT_TRUE(m.dialog.ended()) << c.name;
        EXPECT_EQ(m.dialog.endResult(), c.result) << c.name;
        EXPECT_EQ(m.window.serialPort() == nullptr, c.releases) << c.name;
        EXPECT_EQ(m.serial.OpenPorts().empty(), c.releases) << c.name;
    }
}

TEST(MainWindow, MinimisedWindowPaintsItsIconCentredOtherwisePaintingIsDefault) {
    MainWindow m;
    m.Start();
    EXPECT_FALSE(m.dialog.Paint().handled);
    m.dialog.minimised = true;
    EXPECT_TRUE(m.dialog.Paint().handled);
    const Rect w = m.dialog.GetWindowRect();
    const int clientW = w.width() - 2 * FakeDialog::kFrame;
    const int clientH = w.height() - 2 * FakeDialog::kFrame - FakeDialog::kCaption;
    ASSERT_EQ(m.dialog.iconsPainted.size(), 1u);
    EXPECT_EQ(m.dialog.iconsPainted[0].x, (clientW - 32 + 1) / 2);
    EXPECT_EQ(m.dialog.iconsPainted[0].y, (clientH - 32 + 1) / 2);
    EXPECT_EQ(static_cast<IconHandle>(m.dialog.QueryDragIcon().result), m.window.windowIcon());
}

TEST(MainWindow, TheApplicationRunsTheWindowAndReturnsFalse) {
    FakeProcess p;  // its own window object stays unstarted: the application makes one
    CMonitorApp app;
    EXPECT_FALSE(app.InitInstance(p.ports(), p.dialog));
    EXPECT_EQ(p.dialog.timers().count(100), 1u);
}

TEST(MainWindow, TicksCountSecondsAndShowThePanel) {
    MainWindow m;
    m.Start();
    m.window.state().settings.language = kEnglish;
    m.window.state().settings.restartDays = 7;
    m.dialog.Timer();
    const std::string first = m.dialog.GetItemText(ctl::kStatusPanel);
    EXPECT_EQ(first,
              "Date Of Last Boot : 2018-03-26 09:05:07\r\n"
              "Total Running Time : 00 H 00 M 00 S\r\n"
              "Scheduled Restart : 07 days , Remaining Time : 168 H 00 M 00 S\r\n"
              "Run Log(See In Runlog.txt)");
    m.dialog.Timer();
    EXPECT_EQ(m.dialog.GetItemText(ctl::kStatusPanel), first) << "the second tick starts with the same count";
    EXPECT_EQ(m.window.state().tick.uptimeSeconds, 1);
    for (int i = 0; i < 2 * 3661; ++i) m.dialog.Timer();
    EXPECT_NE(m.dialog.GetItemText(ctl::kStatusPanel).find("Total Running Time : 01 H 01 M 01 S"),
              std::string::npos);
}

}  // namespace
}  // namespace torvik::testing
