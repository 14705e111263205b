#include <gtest/gtest.h>

#include "FakeProcess.h"
#include "storage/ConfigFile.h"
#include "supervision/DisplayAdapters.h"
#include "supervision/SystemRestart.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

const std::string kStamp = "[ 2018-03-26 09:05:07 ] : ";

struct CaptionCase {
    int id;
    const char* english;
    const char* chinese;
};
const CaptionCase kCaptions[] = {
    {1013, "Timeout(Seconds):", "死机后重启时间(秒):"},
    {1014, "Scheduled Restart(days):", "定时重启天数:"},
    {1015, "Website Monitoring:", "网址监控:"},
    {1016, "Specified Program Monitoring:", "指定程序监控:"},
    {1017, "Video Card Monitoring:", "显卡监控:"},
    {1018, "Reset now", "立刻重启"},
    {1027, "Save config", "保存配置"},
    {1050, "Help", "使用说明"},
    {1053, "Watchdog display setup:", "看门狗数码显示状态设置:"},
    {1019, "Watchdog display No. setup:", "看门狗数码显示编号设置:"},
    {1038, "Display system time:", "显示系统时间:"},
    {1054, "Display Cards number:", "显示系统显卡数量:"},
    {1051, "Watchdog sound switch:", "看门狗喇叭开关:"},
};

TEST(StartUp, FreshFolderMakesTheDefaultsAndComesUpInEnglish) {
    FakeProcess p;
    p.Start();
    EXPECT_EQ(ScratchFolder::Read(kConfigFile), kDefaultConfigText);
    EXPECT_EQ(ScratchFolder::Read("RunLog.txt"),
              "Great RunLog File!\r\n\r\n" + kStamp + "Start...\r\n" + kStamp + "VideoCard Number:1\r\n");
    for (const CaptionCase& c : kCaptions) EXPECT_EQ(p.dialog.GetItemText(c.id), c.english) << c.id;
    EXPECT_EQ(p.dialog.control(ctl::kTabs).items, (std::vector<std::string>{"Help", "Wiring diagram", "Process list"}));
    EXPECT_EQ(p.dialog.GetTabSelection(ctl::kTabs), 0);
    EXPECT_TRUE(p.dialog.IsItemVisible(ctl::kProcessList)) << "the list, not the help, is the visible page";
    EXPECT_FALSE(p.dialog.IsItemEnabled(ctl::kSave));
    EXPECT_EQ(p.dialog.GetItemText(ctl::kTimeoutLabel), "180");
    EXPECT_EQ(p.dialog.GetSliderPos(ctl::kDaysSlider), 7);
    EXPECT_TRUE(p.serial.calls().empty()) << "start-up sends nothing to a board";
}

TEST(StartUp, ChineseSettingsGiveChineseCaptionsTabsAndAdapterLine) {
    FakeProcess p;
    p.display.adapters = {{"A"}, {"B"}, {"C"}};
    ScratchFolder::Write(kConfigFile, "language=1;AppName=Miner;");
    p.Start();
    for (const CaptionCase& c : kCaptions) EXPECT_EQ(p.dialog.GetItemText(c.id), c.chinese) << c.id;
    EXPECT_EQ(p.dialog.control(ctl::kTabs).items, (std::vector<std::string>{"使用说明", "接线说明", "进程列表"}));
    EXPECT_NE(ScratchFolder::Read("RunLog.txt").find(kStamp + "系统显卡数量：3\r\n"), std::string::npos);
    EXPECT_EQ(p.state().baselineAdapterCount, 3);
    EXPECT_FALSE(p.dialog.IsItemEnabled(ctl::kSave)) << "a loaded title leaves nothing to save";
}

TEST(StartUp, NoAdapterCountGivesZero) {
    FakeProcess p;
    p.display.failOpen = true;
    p.Start();
    EXPECT_EQ(p.state().baselineAdapterCount, 0);
    EXPECT_NE(ScratchFolder::Read("RunLog.txt").find("VideoCard Number:0\r\n"), std::string::npos);
}

TEST(DisplayAdapters, ListNumbersEveryAdapterAndSplitsALongListOverEntries) {
    FakeDisplayDevices three;
    three.adapters = {{"Wine Adapter"}, {"Second", false}, {"Third"}};
    EXPECT_EQ(CountDisplayAdapters(three), 3);
    EXPECT_EQ(DisplayAdapterListEntries(three, 481),
              std::vector<std::string>{"GetVideoCardList...\r\n1 : Wine Adapter\r\n2 : \r\n3 : Third\r\n"});

    FakeDisplayDevices many;
    many.adapters.assign(40, {std::string(40, 'x')});
    const auto entries = DisplayAdapterListEntries(many, 481);
    EXPECT_GT(entries.size(), 1u);
    std::string all;
    for (const std::string& e : entries) {
        EXPECT_LE(e.size(), 481u);
        all += e;
    }
    for (int n = 1; n <= 40; ++n) EXPECT_NE(all.find(std::to_string(n) + " : x"), std::string::npos) << n;
}

TEST(DisplayAdapters, ButtonLogsTheListAsOneEntryEndingInAnEmptyLine) {
    FakeProcess p;
    p.Start();
    ASSERT_TRUE(p.dialog.Click(ctl::kVideoCardList));
    EXPECT_NE(p.window.runLog().buffer().find(kStamp + "GetVideoCardList...\r\n1 : Wine Adapter\r\n\r\n"),
              std::string::npos);
    EXPECT_EQ(p.state().baselineAdapterCount, 1);
}

TEST(SystemRestart, RebootsWithThePrivilegeAndOtherwiseSaysWhy) {
    const struct {
        bool failToken, failPrivilege;
        int reboots;
        std::vector<std::string> boxes;
    } cases[] = {{false, false, 1, {}}, {true, false, 0, {"OpenProcessToken Error!"}}, {false, true, 0, {"Rebbot Error!"}}};
    for (const auto& c : cases) {
        FakeShutdown s;
        s.failToken = c.failToken;
        s.failPrivilege = c.failPrivilege;
        RebootSystem(s);
        EXPECT_EQ(s.reboots, c.reboots);
        EXPECT_EQ(s.boxes, c.boxes);
        EXPECT_EQ(s.tokensOpen, 0);
    }
}

}  // namespace
}  // namespace torvik::testing
