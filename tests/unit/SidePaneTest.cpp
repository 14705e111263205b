#include <gtest/gtest.h>

#include "FakeProcess.h"
#include "ui/ControlIds.h"
#include "ui/HelpTexts.h"

namespace torvik::testing {
namespace {

struct Pane : FakeProcess {
    explicit Pane(LanguageIndex language = kEnglish) {
        Start();
        state().settings.language = language;
        windows.Add("Miner");
        windows.Add("Notepad");
    }
    int Width() { return dialog.GetWindowRect().width(); }
    Rect List() { return dialog.GetItemScreenRect(ctl::kProcessList); }
    int Open() { return List().right + 8; }
    int Closed() { return List().left - 4; }
    bool Visible(int id) { return dialog.IsItemVisible(id); }
    std::string Help() { return dialog.GetItemText(ctl::kHelpText); }
};

TEST(SidePane, AnyHelpButtonOpensTheNextOneClosesWhicheverItIs) {
    Pane p;
    p.dialog.SetWindowPos(300, 200, 0, 0, kPosNoSize);  // dragged away by the user
    p.dialog.Click(ctl::kDaysHelp);
    EXPECT_EQ(p.dialog.GetWindowRect().left, 1);
    EXPECT_EQ(p.dialog.GetWindowRect().top, 1);
    EXPECT_EQ(p.Width(), p.Open());
    EXPECT_EQ(p.dialog.GetWindowRect().height(), 500);
    EXPECT_TRUE(p.state().paneExpanded);
    EXPECT_TRUE(p.Visible(ctl::kHelpText));
    EXPECT_FALSE(p.Visible(ctl::kProcessList));
    EXPECT_EQ(p.Help(), FindHelpText(ctl::kDaysHelp)->english);

    p.dialog.Click(ctl::kWebsiteHelp);  // another button: its text, and the pane closes
    EXPECT_EQ(p.Help(), FindHelpText(ctl::kWebsiteHelp)->english);
    EXPECT_EQ(p.Width(), p.Closed());
    EXPECT_FALSE(p.state().paneExpanded);
}

TEST(SidePane, OnlyTheTimeoutHelpEmptiesTheProcessList) {
    Pane p;
    p.dialog.Click(ctl::kAddProgram);
    ASSERT_EQ(p.dialog.GetListCount(ctl::kProcessList), 2);
    for (int id : {ctl::kDaysHelp, ctl::kWebsiteHelp, ctl::kProgramHelp, ctl::kVideoCardHelp, ctl::kUsageHelp})
        p.dialog.Click(id);
    EXPECT_EQ(p.dialog.GetListCount(ctl::kProcessList), 2);
    p.dialog.Click(ctl::kTimeoutHelp);
    EXPECT_EQ(p.dialog.GetListCount(ctl::kProcessList), 0);
}

TEST(SidePane, AddThenHelpKeepsItOpenAndPicksWaitUntilItIsClosed) {
    Pane p;
    p.dialog.Click(ctl::kAddProgram);
    EXPECT_EQ(p.Width(), p.Open());
    EXPECT_FALSE(p.state().paneExpanded);
    EXPECT_EQ(p.dialog.GetTabSelection(ctl::kTabs), 2);
    p.dialog.Click(ctl::kProgramHelp);
    EXPECT_EQ(p.Width(), p.Open()) << "help treats the pane as closed and opens it";
    EXPECT_TRUE(p.state().paneExpanded);
    p.dialog.SelectTab(ctl::kTabs, 2);
    EXPECT_TRUE(p.Visible(ctl::kProcessList));
    p.dialog.PickListLine(ctl::kProcessList, 0);
    EXPECT_EQ(p.dialog.GetItemText(ctl::kProgramEdit), "") << "no pick while the pane is help's";
    EXPECT_TRUE(p.state().pickingProgram);
    p.dialog.Click(ctl::kProgramHelp);  // closes it
    p.dialog.PickListLine(ctl::kProcessList, 0);
    EXPECT_EQ(p.dialog.GetItemText(ctl::kProgramEdit), "Miner");
    EXPECT_FALSE(p.state().pickingProgram);
    EXPECT_EQ(p.Width(), p.List().left - 8);
}

TEST(SidePane, HelpOnTheWiringTabShowsTheHelpTextButLeavesTheTabAndPicture) {
    Pane p;
    p.dialog.SelectTab(ctl::kTabs, 1);
    EXPECT_TRUE(p.Visible(ctl::kWiringPicture));
    EXPECT_FALSE(p.Visible(ctl::kProcessList));
    p.dialog.Click(ctl::kVideoCardHelp);
    EXPECT_EQ(p.dialog.GetTabSelection(ctl::kTabs), 1);
    EXPECT_TRUE(p.Visible(ctl::kWiringPicture));
    EXPECT_TRUE(p.Visible(ctl::kHelpText));
}

TEST(SidePane, TabsSwitchThePagesAndLeaveTheGeometry) {
    Pane p;
    p.dialog.Click(ctl::kUsageHelp);
    const Rect before = p.dialog.GetWindowRect();
    const struct {
        int tab;
        bool help, picture, list;
    } cases[] = {{1, false, true, false}, {2, false, false, true}, {0, true, false, false}};
    for (const auto& c : cases) {
        p.dialog.SelectTab(ctl::kTabs, c.tab);
        EXPECT_EQ(p.Visible(ctl::kHelpText), c.help) << c.tab;
        EXPECT_EQ(p.Visible(ctl::kWiringPicture), c.picture) << c.tab;
        EXPECT_EQ(p.Visible(ctl::kProcessList), c.list) << c.tab;
    }
    EXPECT_EQ(p.dialog.GetWindowRect(), before);
    EXPECT_TRUE(p.state().paneExpanded);
    EXPECT_TRUE(p.dialog.Notify(ctl::kTabs, notify::kTabSelChange).handled);
}

TEST(SidePane, UsageHelpCarriesTheContactBlockOnlyInChinese) {
    Pane english(kEnglish);
    english.dialog.Click(ctl::kUsageHelp);
    EXPECT_EQ(english.Help(), kUsageTextEnglish);

    Pane chinese(kChinese);
    chinese.dialog.Click(ctl::kUsageHelp);
    EXPECT_EQ(chinese.Help(), std::string(kUsageTextChinese) + kContactBlock);
    chinese.dialog.Click(ctl::kUsageHelp);
    chinese.dialog.Click(ctl::kTimeoutHelp);
    EXPECT_EQ(chinese.Help(), FindHelpText(ctl::kTimeoutHelp)->chinese);
}

}  // namespace
}  // namespace torvik::testing
