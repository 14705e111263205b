#include <gtest/gtest.h>

#include "FakeProcess.h"
#include "storage/RunLog.h"
#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

const std::string kStamp = "[ 2018-03-26 09:05:07 ] : ";  // the fake clock's time

struct Logging : FakeProcess {
    std::string Screen() { return dialog.GetItemText(ctl::kLog); }
    std::string File() { return ScratchFolder::Read(kRunLogFile); }
};

TEST(RunLog, FirstLineOfTheRunHasAnEmptyLineBeforeItOnScreenAndInTheFile) {
    Logging l;
    l.Start();  // makes RunLog.txt with its header and logs the run's first lines
    l.window.AppendLog("100% sure %s %d");
    const std::string lines = "\r\n" + kStamp + "Start...\r\n" + kStamp + "VideoCard Number:1\r\n" + kStamp +
                              "100% sure %s %d\r\n";
    EXPECT_EQ(l.Screen(), lines);
    EXPECT_EQ(l.File(), "Great RunLog File!\r\n" + lines);

    ASSERT_TRUE(l.dialog.Click(ctl::kClearLog));
    EXPECT_EQ(l.Screen(), "");
    l.window.AppendLog("after clear");
    EXPECT_EQ(l.Screen(), kStamp + "after clear\r\n") << "no empty line after Clear";
    EXPECT_EQ(l.File(), "Great RunLog File!\r\n" + lines + kStamp + "after clear\r\n") << "Clear keeps the file";
}

TEST(RunLog, ExistingFileIsAppendedToAndAMissingOneIsMadeWithoutHeaderByTheFirstLine) {
    Logging existing;
    ScratchFolder::Write(kRunLogFile, "old run\r\n");
    RunLog::EnsureRunLog();
    existing.window.AppendLog("Start...");
    EXPECT_EQ(existing.File(), "old run\r\n\r\n" + kStamp + "Start...\r\n");

    Logging missing;
    missing.window.AppendLog("Start...");
    EXPECT_EQ(missing.File(), "\r\n" + kStamp + "Start...\r\n");
}

TEST(RunLog, ScreenKeepsExactly10240BytesAndEmptiesPastThem) {
    // Lines of 100 bytes: 26 of stamp, 72 of message, CR LF.
    const std::string message(72, 'x');
    for (std::size_t extra : {0u, 1u}) {
        Logging l;
        l.window.AppendLog("first");  // 26 + 2 + 5 + 2 = 35 bytes
        std::string chinese = "中文";  // four bytes
        const std::size_t target = kLogScreenLimit + extra;
        while (l.window.runLog().buffer().size() + 100 <= target - 30) l.window.AppendLog(message);
        const std::size_t room = target - l.window.runLog().buffer().size() - 28;
        std::string last(room % 4, 'y');
        for (std::size_t i = 0; i < room / 4; ++i) last += chinese;
        l.window.AppendLog(last);
        if (extra == 0) {
            EXPECT_EQ(l.Screen().size(), kLogScreenLimit);
        } else {
            EXPECT_EQ(l.Screen(), "") << "the line that crossed the limit is only in the file";
            EXPECT_NE(l.File().find(last + "\r\n"), std::string::npos);
        }
    }
}

TEST(RunLog, LongMessagesAreCutAtACharacterBoundary) {
    const LocalTime t{2018, 3, 26, 9, 5, 7};
    EXPECT_EQ(FormatLogLine(t, std::string(483, 'a'), false).size(), 511u);
    EXPECT_EQ(FormatLogLine(t, std::string(600, 'a'), false).size(), 511u);
    EXPECT_EQ(FormatLogLine(t, std::string(481, 'a'), true).size(), 511u);
    EXPECT_EQ(FormatLogLine(t, std::string(482, 'a'), true).size(), 511u);
    // Two ASCII bytes then Chinese: 483 bytes of room end in the middle of a character.
    std::string mixed = "ab";
    for (int i = 0; i < 300; ++i) mixed += "中";
    const std::string line = FormatLogLine(t, mixed, false);
    EXPECT_EQ(line.size(), 510u);
    EXPECT_EQ(line.substr(line.size() - 4), "中\r\n");
}

}  // namespace
}  // namespace torvik::testing
