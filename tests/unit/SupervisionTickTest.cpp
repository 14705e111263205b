#include <gtest/gtest.h>

#include <climits>

#include "FakeBoard.h"
#include "FakeProcess.h"
#include "supervision/StatusPanel.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

using boardsim::RecordKind;

struct Ticking : FakeProcess {
    explicit Ticking(LanguageIndex language = kEnglish, int restartDays = 7) {
        Start();
        state().settings.language = language;
        state().settings.restartDays = restartDays;
    }
    // One tick, with the virtual clock half a second on.
    void Tick() {
        clock.ms += 500;
        dialog.Timer();
    }
    void Seconds(int n) {
        for (int i = 0; i < 2 * n; ++i) Tick();
    }
    std::string Panel() { return dialog.GetItemText(ctl::kStatusPanel); }
    int RestartLogLines() {
        const std::string& log = window.runLog().buffer();
        int n = 0;
        for (std::size_t at = log.find("System timing reboot!"); at != std::string::npos;
             at = log.find("System timing reboot!", at + 1))
            ++n;
        return n;
    }
};

TEST(SupervisionTick, PanelAfterTheFirstTicksInBothLanguages) {
    Ticking english(kEnglish, 7);
    english.Tick();
    EXPECT_EQ(english.Panel(),
              "Date Of Last Boot : 2018-03-26 09:05:07\r\n"
              "Total Running Time : 00 H 00 M 00 S\r\n"
              "Scheduled Restart : 07 days , Remaining Time : 168 H 00 M 00 S\r\n"
              "Run Log(See In Runlog.txt)");
    english.clock.now.second = 8;  // the boot time is taken once
    english.Tick();
    english.Tick();
    EXPECT_EQ(english.Panel(),
              "Date Of Last Boot : 2018-03-26 09:05:07\r\n"
              "Total Running Time : 00 H 00 M 01 S\r\n"
              "Scheduled Restart : 07 days , Remaining Time : 167 H 59 M 59 S\r\n"
              "Run Log(See In Runlog.txt)");

    Ticking chinese(kChinese, 0);
    chinese.Tick();
    EXPECT_EQ(chinese.Panel(),
              "最后开机时间 : 2018-03-26 09:05:07\r\n"
              "累计运行时间 : 00 H 00 M 00 S\r\n"
              "运行日志(查看runlog.txt)");
}

TEST(SupervisionTick, CountsSecondsWithoutABoardAndSearchesEverySecond) {
    Ticking t;
    t.Seconds(5);
    EXPECT_EQ(t.state().tick.uptimeSeconds, 5);
    EXPECT_EQ(t.state().tick.cycleCounter, 5);
    EXPECT_EQ(t.hid.enumerations, 5);
}

TEST(SupervisionTick, ScheduledRestartFiresNineSecondsEarlyOnce) {
    Ticking t(kEnglish, 1);
    t.state().tick.uptimeSeconds = 86390;
    t.Tick();
    t.Tick();  // starts at 86390: nothing yet
    EXPECT_EQ(t.shutdown.reboots, 0);
    t.Tick();  // starts with 86391
    EXPECT_EQ(t.shutdown.reboots, 1);
    EXPECT_NE(t.Panel().find("Remaining Time : 00 H 00 M 09 S"), std::string::npos);
    EXPECT_EQ(t.RestartLogLines(), 1);
    t.Tick();
    EXPECT_EQ(t.shutdown.reboots, 2) << "asked again on every tick until the system goes down";
}

TEST(SupervisionTick, LoweringTheDaysBelowTheRunningTimeFiresAtTheNextTick) {
    Ticking t(kEnglish, 7);
    t.state().tick.uptimeSeconds = 3 * 86400;
    t.Tick();
    EXPECT_EQ(t.shutdown.reboots, 0);
    EXPECT_NE(t.Panel().find("Total Running Time : 72 H 00 M 00 S"), std::string::npos) << "hours are not folded";
    t.state().settings.restartDays = 2;
    t.Tick();
    EXPECT_EQ(t.shutdown.reboots, 1);
    EXPECT_NE(t.Panel().find("Remaining Time : -24 H 00 M 00 S"), std::string::npos);
}

TEST(SupervisionTick, RemainingFieldsGoNegativeAfterTheRestartFired) {
    Ticking t(kEnglish, 1);
    t.state().tick.uptimeSeconds = 86400 + 61;
    t.Tick();
    EXPECT_NE(t.Panel().find("Remaining Time : 00 H -1 M -1 S"), std::string::npos) << t.Panel();
}

TEST(SupervisionTick, RestartFailureBoxesNeverPileUpAndFeedingGoesOn) {
    for (bool tokenFails : {true, false}) {
        Ticking t(kEnglish, 1);
        FakeBoard board(t.clock);
        board.OnSerial(t.serial.Port("COM1"));
        t.Seconds(1);  // linked
        ASSERT_TRUE(t.link().connected);
        t.state().settings.timeoutSeconds = 10;
        t.state().tick.uptimeSeconds = 86395;
        t.shutdown.failToken = tokenFails;
        t.shutdown.failPrivilege = !tokenFails;
        int ticksInsideBox = 0;
        t.shutdown.whileBoxOpen = [&] {
            for (int i = 0; i < 6; ++i, ++ticksInsideBox) t.Tick();  // the box's own loop runs the timer
        };
        const std::size_t feedsBefore = board.Count(RecordKind::Feed);
        t.Tick();
        EXPECT_EQ(t.shutdown.boxes,
                  std::vector<std::string>{tokenFails ? "OpenProcessToken Error!" : "Rebbot Error!"});
        EXPECT_EQ(t.shutdown.reboots, 0);
        EXPECT_EQ(t.RestartLogLines(), 1) << "ticks inside the box neither log nor try again";
        EXPECT_GE(board.Count(RecordKind::Feed), feedsBefore + 3) << "but they feed";
        EXPECT_EQ(t.shutdown.tokensOpen, 0);
    }
}

TEST(SupervisionTick, LargestSliderDaysAndHugeHandEditedDaysBehave) {
    Ticking most(kEnglish, 99);
    most.Tick();
    EXPECT_NE(most.Panel().find("Scheduled Restart : 99 days , Remaining Time : 2376 H 00 M 00 S"), std::string::npos);

    Ticking huge(kEnglish, INT_MAX);  // days * 86400 does not fit 32 bits
    huge.state().tick.uptimeSeconds = INT_MAX - 10;
    huge.Seconds(3);
    EXPECT_EQ(huge.shutdown.reboots, 0);
    EXPECT_NE(huge.Panel().find("Remaining Time : 51539011004 H 46 M 01 S"), std::string::npos) << huge.Panel();
}

TEST(SupervisionTick, DisplayFramesAtCycleSevenAndNineAndFeedsEverySecond) {
    Ticking t(kEnglish, 0);
    FakeBoard board(t.clock);
    board.OnSerial(t.serial.Port("COM1"));
    t.state().settings.timeoutSeconds = 180;
    t.state().baselineAdapterCount = 6;
    t.dialog.SetCheck(ctl::kShowTimeCheck, 1);
    t.dialog.SetCheck(ctl::kShowCardsCheck, 1);
    t.Seconds(20);
    std::vector<std::pair<int, std::string>> frames;  // (second of the run, display text)
    for (const auto& r : board.model.records())
        if (r.kind == RecordKind::Display) frames.emplace_back(static_cast<int>(r.ms / 1000), r.description);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_NE(frames[0].second.find("d-06"), std::string::npos);
    EXPECT_NE(frames[1].second.find("09:05"), std::string::npos);
    EXPECT_NE(frames[2].second.find("d-06"), std::string::npos);
    EXPECT_NE(frames[3].second.find("09:05"), std::string::npos);
    EXPECT_EQ((std::vector<int>{frames[0].first, frames[1].first, frames[2].first, frames[3].first}),
              (std::vector<int>{7, 9, 17, 19}));
    EXPECT_EQ(board.Count(RecordKind::Feed), 19u) << "every second after the link";
    for (const auto& r : board.model.records()) {
        if (r.kind == RecordKind::Feed) {
            EXPECT_EQ(r.bytes, std::vector<std::uint8_t>{18});
        }
    }
    EXPECT_EQ(board.Count(RecordKind::ResetPc), 0u);

    t.dialog.SetCheck(ctl::kShowTimeCheck, 0);  // unchecked: no more time frames
    t.Seconds(20);
    std::size_t times = 0;
    for (const auto& r : board.model.records())
        if (r.kind == RecordKind::Display && r.description.find("09:05") != std::string::npos) ++times;
    EXPECT_EQ(times, 2u);
}

TEST(SupervisionTick, FeedStaysInRangeForAnyTimeout) {
    for (int timeout : {0, 5, 1280, 2550, INT_MAX, -10}) {
        Ticking t(kEnglish, 0);
        FakeBoard board(t.clock);
        board.OnSerial(t.serial.Port("COM1"));
        t.state().settings.timeoutSeconds = timeout;
        t.Seconds(3);
        for (const auto& r : board.model.records()) EXPECT_NE(r.kind, RecordKind::ResetNow) << timeout;
        EXPECT_EQ(board.Count(RecordKind::Feed), 2u) << timeout;
    }
}

TEST(SupervisionTick, BoardResetsThePcAfterTheTimeoutWhenTheFeedingStops) {
    Ticking t(kEnglish, 0);
    FakeBoard board(t.clock);
    board.OnSerial(t.serial.Port("COM1"));
    t.state().settings.timeoutSeconds = 10;
    t.Seconds(60);
    EXPECT_EQ(board.Count(RecordKind::ResetPc), 0u);
    const std::int64_t lastFeed = *board.model.lastFeedMs();
    board.model.AdvanceTo(lastFeed + 10'000);  // the program has ended: no more ticks
    ASSERT_EQ(board.Count(RecordKind::ResetPc), 1u);
}

}  // namespace
}  // namespace torvik::testing
