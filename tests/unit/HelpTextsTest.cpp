// The side pane's help texts as data: the few exact texts that are easy to get
// wrong, CR LF line breaks everywhere, and the layout of the usage texts and of
// the contact block.
#include "ui/HelpTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ControlIds.h"

namespace torvik {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The text cut at every CR LF; a text ending in CR LF CR LF gives two empty lines last.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Each line of `text` against a skeleton: an empty entry asks for an empty
// line, any other entry for a line that begins with it.
void ExpectLayout(const std::string& text, const std::vector<std::string>& skeleton) {
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), skeleton.size()) << text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (skeleton[i].empty()) {
            EXPECT_EQ(lines[i], "") << "line " << i;
        } else {
            EXPECT_TRUE(StartsWith(lines[i], skeleton[i])) << "line " << i << ": " << lines[i];
        }
    }
}

TEST(HelpTexts, TextsThatAreEasyToGetWrong) {
    enum Match { Whole, Starts, Ends, Contains };
    struct Case {
        int buttonId;
        bool chinese;
        Match match;
        const char* expected;
    };
    const Case cases[] = {
        {ctl::kTimeoutHelp, false, Whole,
         "How long does the system restart after the system is dead or blue screen ，Set range: 10-1270 seconds."},
        {ctl::kDaysHelp, false, Whole, "Scheduled Restart(days):\r\n0 means not restarting ,Set range: 1-99 days "},
        {ctl::kDaysHelp, true, Whole,
         "定时重启时天数：\r\n表示每间隔多长时间自动重启一次，设置为0表示不定时重启。设置范围1-99天。"},
        {ctl::kWebsiteHelp, true, Contains, "比如填入www.example.com，监控软件会定时检测网络是否通"},
        {ctl::kWebsiteHelp, true, Contains, "如果重启3次后任然不通"},
        {ctl::kProgramHelp, false, Whole,
         "Restart the computer when the specified program stops running ,If you do not need to monitor, "
         "empty the input, then save it."},
        {ctl::kProgramHelp, true, Contains, "点击“add”按钮添加"},
        {ctl::kDisplayHelp, true, Starts, "\r\n1. 设置看门狗编号：\r\n"},
        {ctl::kDisplayHelp, true, Contains, "显示格式：小时:分钟 \r\n\r\n3. "},
        {ctl::kDisplayHelp, true, Ends, "显示格式:d-xx，xx表示显卡数量。\r\n\r\n\r\n"},
        {ctl::kVideoCardHelp, false, Whole,
         "Restart the computer when the number of graphics cards change ,and restart only 1 times."},
        {ctl::kVideoCardHelp, true, Contains, "点击“VideoCardList”可以查看"},
    };
    for (const Case& c : cases) {
        const HelpPair* pair = FindHelpText(c.buttonId);
        ASSERT_NE(pair, nullptr) << c.buttonId;
        const std::string text = c.chinese ? pair->chinese : pair->english;
        const std::string expected = c.expected;
        switch (c.match) {
            case Whole: EXPECT_EQ(text, expected) << c.buttonId; break;
            case Starts: EXPECT_TRUE(StartsWith(text, expected)) << c.buttonId << ": " << text; break;
            case Ends: EXPECT_TRUE(EndsWith(text, expected)) << c.buttonId << ": " << text; break;
            case Contains: EXPECT_NE(text.find(expected), std::string::npos) << c.buttonId << ": " << text; break;
        }
    }
}

TEST(HelpTexts, ButtonsComeInTheirOrderAndOnlyTheyHaveAPair) {
    const int order[] = {ctl::kTimeoutHelp, ctl::kDaysHelp,    ctl::kWebsiteHelp,
                         ctl::kProgramHelp, ctl::kDisplayHelp, ctl::kVideoCardHelp};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(kHelpButtonTexts[i].buttonId, order[i]);
        EXPECT_EQ(FindHelpText(order[i]), &kHelpButtonTexts[i]);
    }
    for (int other : {0, ctl::kHelpText, ctl::kUsageHelp}) {
        EXPECT_EQ(FindHelpText(other), nullptr) << other;
    }
}

TEST(HelpTexts, EveryTextBreaksLinesWithCrLfOnlyAndIsInGbk) {
    std::vector<std::string> texts = {kUsageTextEnglish, kUsageTextChinese, kContactBlock};
    for (const HelpPair& pair : kHelpButtonTexts) {
        texts.push_back(pair.english);
        texts.push_back(pair.chinese);
    }
    for (const std::string& text : texts) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i << " in " << text;
            }
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i << " in " << text;
            }
        }
    }
    // "看门狗" in code page 936, not in UTF-8.
    EXPECT_TRUE(StartsWith(kUsageTextChinese, "\xBF\xB4\xC3\xC5\xB9\xB7"));
}

TEST(HelpTexts, EnglishUsageTextIsATitleFiveNumberedParagraphsAndTheHints) {
    EXPECT_TRUE(StartsWith(kUsageTextEnglish, "Instructions for the use of a watchdog\r\n\r\n1."));
    ExpectLayout(kUsageTextEnglish, {"Instructions for the use of a watchdog", "", "1. ", "", "2. ", "", "3. ", "",
                                     "4. ", "", "5. ", "", "Important hints,", "", ""});
}

TEST(HelpTexts, ChineseUsageTextHasItsHeadingsAndSixNumberedParagraphs) {
    ExpectLayout(kUsageTextChinese, {"看门狗简单使用说明：", "基本功能：", "", "使用流程：", "1、", "", "2、", "",
                                     "3、", "", "4、", "", "5、", "", "6、", "", "重要提示:", "", "安装", "", ""});
    const std::vector<std::string> lines = Lines(kUsageTextChinese);
    EXPECT_EQ(lines[0], "看门狗简单使用说明：");
    EXPECT_EQ(lines[3], "使用流程：");
    EXPECT_EQ(lines[16], "重要提示:");
}

TEST(HelpTexts, ContactBlockIsFourLinesAndAnEmptyOne) {
    const std::vector<std::string> lines = Lines(kContactBlock);
    ASSERT_EQ(lines.size(), 6u) << kContactBlock;  // four lines, the empty one, and nothing after its CR LF
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(lines[i].empty()) << "line " << i;
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
}

}  // namespace
}  // namespace torvik
