// The window's short texts in English and Chinese (GBK). The language is picked
// once per run by LanguageIndex: 0 English, 1 Chinese.
#pragma once

#include <cstdint>

namespace torvik {

enum class Text : int {
    Linked = 0,
    LinkError,
    TimeoutCaption,
    DaysCaption,
    WebsiteCaption,
    ProgramCaption,
    VideoCardCaption,
    DateOfLastBoot,
    TotalRunningTime,
    ScheduledRestart,
    RemainingTime,
    RunLogHeading,
    ResetTimesLastTime,
    VideoCardNumber,
    Help,
    WiringDiagram,
    ProcessList,
    ResetNow,
    SaveConfig,
    DisplaySetup,
    DisplayNumberSetup,
    DisplayTime,
    DisplayCards,
    SoundSwitch,
    Count
};

using LanguageIndex = std::uint8_t;
constexpr LanguageIndex kEnglish = 0;
constexpr LanguageIndex kChinese = 1;

// The text of an entry in the given language (any odd index counts as Chinese).
const char* TextOf(Text entry, LanguageIndex language);

}  // namespace torvik
