// The explanations the side pane's help page shows: one English / Chinese pair
// per "?" button beside the settings, and the two usage texts of the Help
// button. All are GBK byte strings with CR LF line breaks.
#pragma once

namespace torvik {

struct HelpPair {
    int buttonId;
    const char* english;
    const char* chinese;
};

// The six "?" buttons' texts, in the order 1043, 1042, 1045, 1047, 1049, 1048.
extern const HelpPair kHelpButtonTexts[6];

// The pair of a "?" button; nullptr for any other id (the Help button included).
const HelpPair* FindHelpText(int buttonId);

// The Help button's usage texts. The Chinese one is shown followed by the
// contact block when OemTable::kContactBlockFlag is set; the English one never
// carries it.
extern const char* const kUsageTextEnglish;
extern const char* const kUsageTextChinese;

// Four lines, each ending CR LF, then one more CR LF.
extern const char* const kContactBlock;

}  // namespace torvik
