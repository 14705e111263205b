#include <gtest/gtest.h>

#include <climits>

#include "FakeProcess.h"
#include "storage/ConfigFile.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

struct Loaded : FakeProcess {
    explicit Loaded(const std::string& file) {
        ScratchFolder::Write(kConfigFile, file);
        LoadConfig(state().settings, dialog);
    }
    std::string Text(int id) { return dialog.GetItemText(id); }
    int Check(int id) { return dialog.GetCheck(id); }
};

TEST(ConfigFile, MissingFileIsCreatedWithTheDefaultTextAndLoaded) {
    FakeProcess p;
    p.dialog.SetSliderRangeMin(ctl::kTimeoutSlider, 10, true);
    p.dialog.SetSliderRangeMax(ctl::kTimeoutSlider, 1270, true);
    InitConfig(p.state().settings, p.dialog);
    const std::string expected =
        "timeout=180;\r\nTimedRestartDays=7;\r\nAppName=;\r\nVideoCardMonitor=0;\r\ndisplay_time=1;\r\n"
        "display_card_num=1;\r\nsound_switch=1;\r\nnet_notlink_times=0;\r\nlogo_display=1;\r\nlanguage=0;\r\n\t\t\t";
    EXPECT_EQ(expected.size(), 177u);
    EXPECT_EQ(ScratchFolder::Read(kConfigFile), expected);
    const Settings& s = p.state().settings;
    EXPECT_EQ(s.timeoutSeconds, 180);
    EXPECT_EQ(s.restartDays, 7);
    EXPECT_EQ(s.netFailCount, 0);
    EXPECT_EQ(s.language, kEnglish);
    EXPECT_EQ(p.dialog.GetSliderPos(ctl::kTimeoutSlider), 180);
    EXPECT_EQ(p.dialog.GetItemText(ctl::kTimeoutLabel), "180");
    EXPECT_EQ(p.dialog.GetItemText(ctl::kProgramEdit), "");
    EXPECT_EQ(p.dialog.GetCheck(ctl::kVideoCardCheck), 0);
    for (int id : {ctl::kShowTimeCheck, ctl::kShowCardsCheck, ctl::kSoundCheck}) EXPECT_EQ(p.dialog.GetCheck(id), 1);
    EXPECT_FALSE(ScratchFolder::Exists("config.inf.new"));
}

TEST(ConfigFile, ReaderCases) {
    struct Case {
        const char* name;
        const char* file;
        std::function<void(Loaded&)> check;
    };
    const Case cases[] = {
        {"leading zero", "timeout=0180;",
         [](Loaded& l) {
             EXPECT_EQ(l.state().settings.timeoutSeconds, 180);
             EXPECT_EQ(l.Text(ctl::kTimeoutLabel), "0180") << "the label shows the text as written";
         }},
        {"even language", "language=2;", [](Loaded& l) { EXPECT_EQ(l.state().settings.language, kEnglish); }},
        {"odd language", "language=3;", [](Loaded& l) { EXPECT_EQ(l.state().settings.language, kChinese); }},
        {"no language key", "timeout=10;", [](Loaded& l) { EXPECT_EQ(l.state().settings.language, kChinese); }},
        {"count wraps to 8 bits", "net_notlink_times=257;",
         [](Loaded& l) { EXPECT_EQ(l.state().settings.netFailCount, 1); }},
        {"negative checks", "VideoCardMonitor=-1;", [](Loaded& l) { EXPECT_EQ(l.Check(ctl::kVideoCardCheck), 1); }},
        {"letters uncheck", "VideoCardMonitor=x;display_time=0;",
         [](Loaded& l) {
             EXPECT_EQ(l.Check(ctl::kVideoCardCheck), 0);
             EXPECT_EQ(l.Check(ctl::kShowTimeCheck), 0);
         }},
        {"empty days", "TimedRestartDays=;",
         [](Loaded& l) {
             EXPECT_EQ(l.state().settings.restartDays, 0);
             EXPECT_EQ(l.Text(ctl::kDaysLabel), "");
         }},
        {"first of two wins", "timeout=20;\r\ntimeout=30;", [](Loaded& l) { EXPECT_EQ(l.state().settings.timeoutSeconds, 20); }},
        {"key inside another value", "AppName=xlanguage=1;\r\nlanguage=0;",
         [](Loaded& l) {
             EXPECT_EQ(l.state().settings.language, kChinese);
             EXPECT_EQ(l.Text(ctl::kProgramEdit), "xlanguage=1");
         }},
        {"any order, several per line, spread over lines", "language=0;AppName=Miner;timeout=\r\n50;HttpName=a.b;",
         [](Loaded& l) {
             EXPECT_EQ(l.state().settings.timeoutSeconds, 50);
             EXPECT_EQ(l.Text(ctl::kProgramEdit), "Miner");
             EXPECT_EQ(l.Text(ctl::kWebsiteEdit), "a.b");
         }},
        {"missing keys keep their state", "", [](Loaded& l) { EXPECT_EQ(l.state().settings.timeoutSeconds, 0); }},
        {"a value without its semicolon is not taken", "AppName=Min",
         [](Loaded& l) { EXPECT_EQ(l.Text(ctl::kProgramEdit), ""); }},
        {"huge numbers are held in range", "timeout=99999999999;TimedRestartDays=-99999999999;",
         [](Loaded& l) {
             EXPECT_EQ(l.state().settings.timeoutSeconds, INT_MAX);
             EXPECT_EQ(l.state().settings.restartDays, INT_MIN);
         }},
        {"a long title is read whole",
         "AppName=0123456789012345678901234567890123456789;",
         [](Loaded& l) { EXPECT_EQ(l.Text(ctl::kProgramEdit), "0123456789012345678901234567890123456789"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded l(c.file);
        c.check(l);
    }
}

TEST(ConfigFile, FilesLongerThanHalfAKilobyteAreReadWhole) {
    Loaded l(std::string(2000, ' ') + "timeout=70;");
    EXPECT_EQ(l.state().settings.timeoutSeconds, 70);
}

TEST(ConfigFile, SaveWritesElevenLinesFromFieldsAndControlsAndDisablesSave) {
    FakeProcess p;
    Settings& s = p.state().settings;
    s = Settings{190, 3, 4, kChinese};
    p.dialog.SetItemText(ctl::kWebsiteEdit, "100%.example");
    p.dialog.SetItemText(ctl::kProgramEdit, "矿机 Miner");
    p.dialog.SetCheck(ctl::kVideoCardCheck, 1);
    p.dialog.SetCheck(ctl::kSoundCheck, 2);  // indeterminate counts as unchecked
    p.dialog.EnableItem(ctl::kSave, true);
    SaveConfig(s, p.dialog);
    EXPECT_EQ(ScratchFolder::Read(kConfigFile),
              "timeout=190;//Timeout reset time can only be 10 integers, range 10-1270 seconds\r\n"
              "TimedRestartDays=3;//Auto restart days\r\n"
              "HttpName=100%.example;//The linked domain name is not filled to indicate that it is not monitored,"
              "for example:www.example.com\r\n"
              "AppName=矿机 Miner;//Fill in the window title here, No fill means no monitoring\r\n"
              "VideoCardMonitor=1;\r\ndisplay_time=0;\r\ndisplay_card_num=0;\r\nsound_switch=0;\r\n"
              "net_notlink_times=4;\r\nlogo_display=1;\r\nlanguage=1;");
    EXPECT_FALSE(p.dialog.IsItemEnabled(ctl::kSave));
}

TEST(ConfigFile, WhatIsSavedIsReadBackTheSameAndTheBuildFlagWins) {
    FakeProcess first;
    ScratchFolder::Write(kConfigFile, "logo_display=0;AppName=" + std::string(127, 'T') + ";timeout=1270;");
    LoadConfig(first.state().settings, first.dialog);
    SaveConfig(first.state().settings, first.dialog);
    const std::string saved = ScratchFolder::Read(kConfigFile);
    EXPECT_NE(saved.find("logo_display=1;"), std::string::npos);

    FakeDialog again;
    Settings settings;
    LoadConfig(settings, again);
    EXPECT_EQ(again.GetItemText(ctl::kProgramEdit), std::string(127, 'T')) << "a picked title survives a restart";
    EXPECT_EQ(settings.timeoutSeconds, 1270);
    SaveConfig(settings, again);
    EXPECT_EQ(ScratchFolder::Read(kConfigFile), saved);
}

TEST(ConfigFile, ASaveInterruptedBeforeTheReplaceLeavesTheOldFileWhole) {
    ScratchFolder folder;
    ScratchFolder::Write(kConfigFile, "timeout=180;");
    const bool written = WriteFileAtomically(kConfigFile, "timeout=10;", [](const char* from, const char*) {
        EXPECT_EQ(ScratchFolder::Read(from), "timeout=10;") << "the new text is complete before the replace";
        return false;  // power lost here
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(ScratchFolder::Read(kConfigFile), "timeout=180;");
}

}  // namespace
}  // namespace torvik::testing
