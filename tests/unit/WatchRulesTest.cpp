#include <gtest/gtest.h>

#include "FakeBoard.h"
#include "FakeProcess.h"
#include "storage/ConfigFile.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

using boardsim::RecordKind;

struct Watching : FakeProcess {
    explicit Watching(const std::string& folderPath = "") : FakeProcess(folderPath) {
        Start();
        state().settings.language = kEnglish;
    }
    std::string Log() { return window.runLog().buffer(); }
    bool ProgramTest() {
        const std::size_t before = Log().size();
        dialog.Click(ctl::kProgramTest);
        return Log().find("Running!", before) != std::string::npos;
    }
    // Lines logged since `from`, without their timestamps.
    std::vector<std::string> LinesSince(std::size_t from) {
        std::vector<std::string> lines;
        const std::string log = Log().substr(from);
        for (std::size_t at = log.find("] : "); at != std::string::npos; at = log.find("] : ", at + 1))
            lines.push_back(log.substr(at + 4, log.find("\r\n", at) - at - 4));
        return lines;
    }
    void Pass() {
        window.RunHealthChecks();
        WaitForWebsiteAnswer();
    }
};

TEST(ProgramProbe, TitleMatching) {
    const std::string long127(127, 'L');
    const struct {
        const char* name;
        std::vector<FakeWindowList::Window> windows;
        std::string appName;
        bool running;
    } cases[] = {
        {"exact", {{"Miner"}}, "Miner", true},
        {"part of a title", {{"Miner 2.0"}}, "Miner", false},
        {"letter case", {{"miner"}}, "Miner", false},
        {"trailing blank", {{"Miner"}}, "Miner ", false},
        {"invisible window", {{"Miner", false}}, "Miner", false},
        {"minimised counts: its visible bit is set", {{"Miner", true}}, "Miner", true},
        {"two equal titles", {{"Miner"}, {"Miner"}}, "Miner", true},
        {"empty AppName watches nothing", {}, "", true},
        {"title cut to 127 bytes", {{long127 + "tail"}}, long127, true},
        {"AppName longer than 127 never matches", {{long127 + "tail"}}, long127 + "tail", false},
        {"a window gone before its title is read", {{"Miner", true, true}}, "Miner", false},
        {"Chinese title", {{"矿机"}}, "矿机", true},
    };
    for (const auto& c : cases) {
        Watching w;
        w.windows.windows = c.windows;
        w.dialog.TypeText(ctl::kProgramEdit, c.appName);
        EXPECT_EQ(w.ProgramTest(), c.running) << c.name;
        const bool loggedMissing = w.Log().find("\"" + c.appName + "\" is not running!") != std::string::npos;
        EXPECT_EQ(loggedMissing, !c.running) << c.name;
    }
}

TEST(ProgramProbe, LongChineseTitlesAreCutAtACharacterBoundaryAndStillMatchAfterAPick) {
    Watching w;
    std::string title = "x";
    for (int i = 0; i < 80; ++i) title += "矿";  // 161 bytes: byte 127 is half a character
    w.windows.Add(title);
    w.dialog.Click(ctl::kAddProgram);
    w.dialog.PickListLine(ctl::kProcessList, 0);
    const std::string picked = w.dialog.GetItemText(ctl::kProgramEdit);
    EXPECT_EQ(picked.size(), 127u);
    EXPECT_EQ(picked, title.substr(0, 127));
    EXPECT_TRUE(w.ProgramTest()) << "a picked title keeps matching its window";
}

TEST(ProgramProbe, NoLimitOnTheNumberOfWindows) {
    Watching w;
    for (int i = 0; i < 149; ++i) w.windows.Add("window " + std::to_string(i));
    w.windows.Add("Miner");
    w.dialog.TypeText(ctl::kProgramEdit, "Miner");
    EXPECT_TRUE(w.ProgramTest());
    w.dialog.Click(ctl::kAddProgram);
    EXPECT_EQ(w.dialog.GetListCount(ctl::kProcessList), 150);
}

TEST(ProgramProbe, AddListsSortedTitlesAndAPickFillsTheEditAndEmptyLinesCount) {
    Watching w;
    w.windows.Add("Zeta");
    w.windows.Add("");
    w.windows.Add("Hidden", false);
    w.windows.Add("Alpha");
    w.dialog.Click(ctl::kAddProgram);
    EXPECT_EQ(w.dialog.control(ctl::kProcessList).items, (std::vector<std::string>{"", "Alpha", "Zeta"}));
    EXPECT_TRUE(w.state().pickingProgram);
    w.dialog.PickListLine(ctl::kProcessList, 2);
    EXPECT_EQ(w.dialog.GetItemText(ctl::kProgramEdit), "Zeta");
    EXPECT_TRUE(w.dialog.IsItemEnabled(ctl::kSave)) << "picked, not saved";
    w.dialog.Click(ctl::kAddProgram);
    w.dialog.PickListLine(ctl::kProcessList, 0);
    EXPECT_EQ(w.dialog.GetItemText(ctl::kProgramEdit), "") << "the empty line switches the rule off";
    w.dialog.PickListLine(ctl::kProcessList, -1);  // no current line: nothing
}

TEST(ProgramProbe, TestDuringAPickProbesAndEmptiesTheListAndPassesLeaveTheRuleOut) {
    Watching w;
    w.windows.Add("Other");
    w.dialog.TypeText(ctl::kProgramEdit, "Miner");
    w.dialog.Click(ctl::kAddProgram);
    ASSERT_EQ(w.dialog.GetListCount(ctl::kProcessList), 1);
    const std::size_t before = w.Log().size();
    w.Pass();
    EXPECT_EQ(w.Log().find("is not running", before), std::string::npos) << "picking: the rule waits";
    EXPECT_EQ(w.dialog.GetListCount(ctl::kProcessList), 1);
    EXPECT_FALSE(w.ProgramTest());
    EXPECT_EQ(w.dialog.GetListCount(ctl::kProcessList), 0);
}

struct Outage : Watching {
    Outage() {
        FakeProcess::http.AnswerAtOnce(false);
        dialog.TypeText(ctl::kWebsiteEdit, "down.example");
    }
    std::uint8_t Count() { return state().settings.netFailCount; }
};

TEST(HealthChecks, WebsiteOutageAcrossRestarts) {
    ScratchFolder folder;
    std::vector<int> resetsPerPass;
    std::vector<int> counts;
    // Each run of the program makes two failing passes, then the PC is reset and it starts again.
    for (int run = 0; run < 4; ++run) {
        Watching w(folder.path());  // a new process in the same folder reads the saved count
        w.http.AnswerAtOnce(false);
        w.dialog.TypeText(ctl::kWebsiteEdit, "down.example");
        for (int pass = 0; pass < 2; ++pass) {
            const std::size_t before = w.Log().size();
            w.Pass();
            const std::vector<std::string> lines = w.LinesSince(before);
            resetsPerPass.push_back(static_cast<int>(std::count(lines.begin(), lines.end(), "Reboot the system!")));
            counts.push_back(w.state().settings.netFailCount);
            EXPECT_NE(ScratchFolder::Read(kConfigFile).find("net_notlink_times=" + std::to_string(counts.back()) + ";"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(resetsPerPass, (std::vector<int>{0, 1, 1, 1, 0, 0, 0, 0}));
}

TEST(HealthChecks, CountWrapsAndASuccessClearsItOnce) {
    Outage o;
    o.state().settings.netFailCount = 255;
    o.Pass();
    EXPECT_EQ(o.Count(), 0);
    EXPECT_EQ(o.LinesSince(0).back(), "Internet checked error!") << "no reset at the wrap";
    o.Pass();
    EXPECT_EQ(o.Count(), 1);

    o.http.AnswerAtOnce(true);
    o.Pass();
    EXPECT_EQ(o.Count(), 0);
    EXPECT_NE(ScratchFolder::Read(kConfigFile).find("net_notlink_times=0;"), std::string::npos);
    ScratchFolder::Write(kConfigFile, "untouched");
    o.Pass();
    EXPECT_EQ(ScratchFolder::Read(kConfigFile), "untouched") << "success at 0 writes nothing";
}

TEST(HealthChecks, ProgramAndWebsiteFailingGiveTwoResetsInOnePass) {
    Outage o;
    FakeBoard board(o.clock);
    board.OnSerial(o.serial.Port("COM1"));
    o.dialog.Click(ctl::kFind);
    o.dialog.TypeText(ctl::kProgramEdit, "Miner");
    o.state().settings.netFailCount = 1;
    const std::size_t before = o.Log().size();
    o.Pass();
    EXPECT_EQ(o.LinesSince(before), (std::vector<std::string>{"\"Miner\" is not running!", "Reboot the system!",
                                                               "Internet checked error!", "Reboot the system!"}));
    EXPECT_EQ(board.Count(RecordKind::ResetNow), 2u);
}

TEST(HealthChecks, AdapterGoneWithMonitoringCheckedLogsInOrder) {
    Watching w;
    w.dialog.TypeText(ctl::kProgramEdit, "Miner");
    w.windows.Add("Miner");
    w.dialog.SetCheck(ctl::kVideoCardCheck, 1);
    w.display.adapters.clear();  // the one adapter is gone
    const std::size_t before = w.Log().size();
    w.Pass();
    EXPECT_EQ(w.LinesSince(before),
              (std::vector<std::string>{"Reboot the system!", "VideoCards Nquantity error!", "Reboot the system!"}));

    w.dialog.SetCheck(ctl::kVideoCardCheck, 0);
    const std::size_t next = w.Log().size();
    w.Pass();
    EXPECT_EQ(w.LinesSince(next), std::vector<std::string>{"Reboot the system!"});
}

TEST(HealthChecks, TickRunsThePassAtCycleNineteenAndControlsPostponeIt) {
    Watching w;
    w.dialog.TypeText(ctl::kProgramEdit, "Miner");
    for (int i = 0; i < 36; ++i) w.dialog.Timer();  // 18 steps
    EXPECT_EQ(w.Log().find("is not running"), std::string::npos);
    w.dialog.Timer();
    w.dialog.Timer();  // step 19
    EXPECT_NE(w.Log().find("\"Miner\" is not running!"), std::string::npos);
}

TEST(WebsiteProbe, SlowSiteNeverStopsTheFeedingAndCountsAsDownAfterFifteenSeconds) {
    Watching w;
    FakeBoard board(w.clock);
    board.OnSerial(w.serial.Port("COM1"));
    w.state().settings.timeoutSeconds = 10;
    w.dialog.TypeText(ctl::kWebsiteEdit, "slow.example");
    const auto tick = [&] {
        w.clock.ms += 500;
        w.dialog.Timer();
    };
    for (int i = 0; i < 38; ++i) tick();  // linked, and the first pass asks the site
    w.http.WaitForRequests(1);
    EXPECT_EQ(w.http.requests(), std::vector<std::string>{"http://slow.example"});
    EXPECT_EQ(w.http.lastTimeoutMs(), 15000u);
    const std::size_t feedsBefore = board.Count(RecordKind::Feed);
    for (int i = 0; i < 28; ++i) tick();  // 14 s of waiting
    EXPECT_EQ(board.Count(RecordKind::Feed), feedsBefore + 14) << "fed every second meanwhile";
    EXPECT_EQ(w.Log().find("Internet checked error!"), std::string::npos);
    for (int i = 0; i < 3; ++i) tick();  // past 15 s
    EXPECT_NE(w.Log().find("Internet checked error!"), std::string::npos);
    EXPECT_EQ(w.state().settings.netFailCount, 1);
    EXPECT_EQ(board.Count(RecordKind::ResetPc), 0u);

    // The stuck request is still out: the next pass leaves the website out.
    for (int i = 0; i < 40; ++i) tick();
    EXPECT_EQ(w.http.requests().size(), 1u);
    EXPECT_EQ(w.state().settings.netFailCount, 1);
}

TEST(WebsiteProbe, TestButtonReportsWhenTheAnswerComes) {
    Watching w;
    w.dialog.TypeText(ctl::kWebsiteEdit, "127.0.0.1:8080/path");
    w.state().settings.netFailCount = 3;
    w.dialog.Click(ctl::kWebsiteTest);
    w.http.Answer(false);
    w.WaitForWebsiteAnswer();
    EXPECT_NE(w.Log().find("Test Internet link error!"), std::string::npos);
    EXPECT_EQ(w.state().settings.netFailCount, 3) << "a failed Test changes nothing";
    w.dialog.Click(ctl::kWebsiteTest);
    w.http.Answer(true);
    w.WaitForWebsiteAnswer();
    EXPECT_NE(w.Log().find("Test Internet link ok!"), std::string::npos);
    EXPECT_EQ(w.state().settings.netFailCount, 0);
    EXPECT_NE(ScratchFolder::Read(kConfigFile).find("HttpName=127.0.0.1:8080/path;"), std::string::npos);
    EXPECT_EQ(w.http.requests(), (std::vector<std::string>{"http://127.0.0.1:8080/path", "http://127.0.0.1:8080/path"}));

    Watching empty;
    empty.state().settings.netFailCount = 2;
    empty.dialog.Click(ctl::kWebsiteTest);
    EXPECT_NE(empty.Log().find("Test Internet link ok!"), std::string::npos) << "nothing watched: ok at once";
    EXPECT_EQ(empty.state().settings.netFailCount, 0);
    EXPECT_TRUE(empty.http.requests().empty());
}

}  // namespace
}  // namespace torvik::testing
