// The resource script as the tests read it: the main window's controls, the
// about box and the system-menu string, and the reader's own handling of the
// script dialect.
#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace torvik::testing {
namespace {

constexpr std::uint32_t kWsCaption = 0x00C00000u;
constexpr std::uint32_t kWsPopup = 0x80000000u;
constexpr std::uint32_t kWsSysMenu = 0x00080000u;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000u;
constexpr std::uint32_t kWsMaximizeBox = 0x00010000u;
constexpr std::uint32_t kWsThickFrame = 0x00040000u;
constexpr std::uint32_t kDsModalFrame = 0x80u;
constexpr std::uint32_t kDsSetFont = 0x40u;
constexpr std::uint32_t kWsExAppWindow = 0x00040000u;

std::set<int> IdsWhere(const DialogTemplate& d, bool (*pred)(const TemplateControl&)) {
    std::set<int> ids;
    for (const TemplateControl& c : d.controls) {
        if (pred(c)) ids.insert(c.id);
    }
    return ids;
}

TEST(MainTemplate, HasTheControlsInCreationOrder) {
    const DialogTemplate d = LoadProjectDialog(102);
    const std::vector<int> expected = {
        1013, 1014, 1015, 1016, 1017, -1,   1009, 1012, 1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026,
        1027, 1028, 1029, 1030, 1031, 1032, 1033, 1035, 1037, 1039, 1040, 1042, 1043, 1045, 1047, 1048,
        1046, 1050, 1019, 1034, 1036, 1049, 1053, 1038, 1041, 1051, 1052, 1054, 1055, 1057, 1058};
    std::vector<int> ids;
    for (const TemplateControl& c : d.controls) ids.push_back(c.id);
    EXPECT_EQ(ids, expected);
}

TEST(MainTemplate, WindowProperties) {
    const DialogTemplate d = LoadProjectDialog(102);
    EXPECT_EQ(d.caption, "Torvik V9.00");
    EXPECT_EQ(d.fontName, "宋体");
    EXPECT_EQ(d.fontPoints, 9);
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{0, 0, 583, 312}));
    const std::uint32_t wanted =
        kWsPopup | style::kVisible | kWsCaption | kWsSysMenu | kWsMinimizeBox | kDsModalFrame | kDsSetFont;
    EXPECT_EQ(d.style, wanted);
    EXPECT_EQ(d.style & (kWsMaximizeBox | kWsThickFrame), 0u) << "the user cannot resize the window";
    EXPECT_EQ(d.exStyle, kWsExAppWindow);
}

TEST(MainTemplate, HiddenAndDisabledControls) {
    const DialogTemplate d = LoadProjectDialog(102);
    EXPECT_EQ(IdsWhere(d, [](const TemplateControl& c) { return !c.visible(); }),
              (std::set<int>{1012, 1022, 1046, 1058}));
    EXPECT_EQ(IdsWhere(d, [](const TemplateControl& c) { return !c.enabled(); }),
              (std::set<int>{1027, 1019, 1034, 1036, 1049, 1053, 1038, 1041, 1051, 1052, 1054, 1055}));
    EXPECT_TRUE(IdsWhere(d, [](const TemplateControl& c) { return !c.hasStyle(style::kChild); }).empty());
}

// Labels, group boxes, the tab control and the picture are skipped by the Tab key; everything else stops.
TEST(MainTemplate, TabStopsFollowTheKindOfControl) {
    const DialogTemplate d = LoadProjectDialog(102);
    for (const TemplateControl& c : d.controls) {
        const ControlKind k = c.kind();
        const bool passive = k == ControlKind::Label || k == ControlKind::GroupBox || k == ControlKind::Tab ||
                             k == ControlKind::Picture;
        EXPECT_EQ(c.hasStyle(style::kTabStop), !passive) << "control " << c.id;
    }
}

TEST(MainTemplate, SampleControls) {
    struct Case {
        int id;
        ControlKind kind;
        const char* windowClass;
        const char* text;
        int x, y, cx, cy;
        std::uint32_t styleBits;  // bits that must be set besides WS_CHILD
    };
    constexpr std::uint32_t kEsMultiline = 0x4, kEsAutoVScroll = 0x40, kEsAutoHScroll = 0x80;
    constexpr std::uint32_t kTbsBoth = 0x8, kTbsNoTicks = 0x10, kBsFlat = 0x8000;
    constexpr std::uint32_t kLbsAll = 0x1 | 0x2 | 0x8 | 0x100;  // NOTIFY SORT MULTIPLESEL NOINTEGRALHEIGHT
    constexpr std::uint32_t kSsPicture = 0xE | 0x200 | 0x800 | 0x1000;  // BITMAP CENTERIMAGE REALSIZEIMAGE SUNKEN
    const Case cases[] = {
        {1013, ControlKind::Label, "Static", "超时", 9, 37, 121, 10, 0},
        {-1, ControlKind::GroupBox, "Button", "config", 3, 26, 325, 87, 0},
        {1009, ControlKind::Label, "Static", "", 3, 6, 265, 15, style::kBorder},
        {1021, ControlKind::Slider, "msctls_trackbar32", "Slider1", 162, 35, 155, 12,
         kTbsBoth | kTbsNoTicks | style::kBorder},
        {1026, ControlKind::Edit, "Edit", "", 135, 80, 118, 14, kEsAutoHScroll | style::kBorder},
        {1028, ControlKind::CheckBox, "Button", "Check1", 135, 96, 9, 9, 0x3},
        {1029, ControlKind::Edit, "Edit", "", 3, 215, 323, 69,
         kEsMultiline | kEsAutoVScroll | style::kVScroll | style::kBorder},
        {1035, ControlKind::Button, "Button", "https://torvik.example.com", 211, 291, 116, 14, kBsFlat},
        {1039, ControlKind::ListBox, "ListBox", "", 335, 33, 232, 264, kLbsAll | style::kVScroll | style::kBorder},
        {1053, ControlKind::GroupBox, "Button", "参数显示", 3, 116, 325, 52, 0},
        {1054, ControlKind::Label, "Static", "显示系统当前显卡数量:", 8, 155, 116, 10, 0},
        {1057, ControlKind::Tab, "SysTabControl32", "Tab2", 331, 15, 242, 290, 0},
        {1058, ControlKind::Picture, "Static", "#131", 336, 31, 232, 267, kSsPicture},
    };
    const DialogTemplate d = LoadProjectDialog(102);
    for (const Case& want : cases) {
        SCOPED_TRACE(want.id);
        const TemplateControl* c = d.find(want.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind(), want.kind);
        EXPECT_EQ(c->windowClass, want.windowClass);
        EXPECT_EQ(c->text, want.text);
        EXPECT_EQ((std::vector<int>{c->x, c->y, c->cx, c->cy}), (std::vector<int>{want.x, want.y, want.cx, want.cy}));
        EXPECT_TRUE(c->hasStyle(want.styleBits | style::kChild)) << std::hex << c->style;
    }
    EXPECT_EQ(d.find(1046)->style & kEsAutoVScroll, 0u) << "the help edit does not scroll by itself";
    EXPECT_EQ(d.find(4242), nullptr);
}

TEST(AboutBox, CaptionLinesAndOkButton) {
    const DialogTemplate d = LoadProjectDialog(100);
    EXPECT_EQ(d.caption, "关于 Quellon");
    EXPECT_EQ(d.fontName, "宋体");
    EXPECT_EQ((std::vector<int>{d.cx, d.cy}), (std::vector<int>{235, 55}));
    EXPECT_EQ(d.style, kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont);
    ASSERT_EQ(d.controls.size(), 4u);
    EXPECT_EQ(d.controls[0].text, "#130");
    EXPECT_EQ(d.controls[1].text, "Quellon 1.0 版");
    const TemplateControl* ok = d.find(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "确定");
    EXPECT_EQ(ok->style & 0xFu, 0x1u) << "default push button";
    EXPECT_EQ((std::vector<int>{ok->x, ok->y, ok->cx, ok->cy}), (std::vector<int>{178, 7, 50, 14}));
}

TEST(StringTable, AboutEntryOfTheSystemMenu) {
    EXPECT_EQ(LoadProjectString(101), "关于 Quellon(&A)...");
    EXPECT_EQ(LoadProjectString(102), "");
}

TEST(DialogReader, ReadsTheScriptDialect) {
    const std::string script = u8R"(#pragma code_page(65001)
        /* block comment */
        7 DIALOGEX 1, 2, 30, 40   // trailing comment
        EXSTYLE 0x8L
        CAPTION "Say ""hi"""
        FONT 8, "宋体"
        {
            CONTROL "", IDC_STATIC, "STATIC", SS_CENTER | NOT WS_VISIBLE | WS_DISABLED, -3, 4, 5, 6, WS_EX_CLIENTEDGE
            CONTROL 131, 20, "Static", NOT WS_CHILD | SS_BITMAP, 0, 0, 1, 1
        })";
    const DialogTemplate d = ParseDialogTemplate(script, 7);
    EXPECT_EQ(d.caption, "Say \"hi\"");
    EXPECT_EQ(d.fontName, "宋体") << "UTF-8 in the script, GBK out";
    EXPECT_EQ(d.style, 0x80000000u | style::kBorder | kWsSysMenu | kWsCaption | kDsSetFont) << "defaults";
    EXPECT_EQ(d.exStyle, 0x8u);
    ASSERT_EQ(d.controls.size(), 2u);
    EXPECT_EQ(d.controls[0].id, -1);
    EXPECT_EQ(d.controls[0].style, style::kChild | style::kDisabled | 0x1u);
    EXPECT_EQ(d.controls[0].exStyle, 0x200u);
    EXPECT_EQ(d.controls[0].x, -3);
    EXPECT_EQ(d.controls[0].kind(), ControlKind::Label);
    EXPECT_EQ(d.controls[1].text, "#131") << "resource ordinal";
    EXPECT_EQ(d.controls[1].style, style::kVisible | 0xEu);
    EXPECT_EQ(d.controls[1].kind(), ControlKind::Picture);
}

TEST(DialogReader, RejectsWhatItDoesNotKnow) {
    const std::string head = "7 DIALOGEX 0, 0, 10, 10\n";
    const struct {
        std::string script;
        int id;
        const char* message;
    } cases[] = {
        {head + "BEGIN\nEND\n", 8, "no DIALOGEX 8"},
        {head + "MENU 5\nBEGIN\nEND\n", 7, "line 2"},
        {head + "BEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\nEND\n", 7, "only CONTROL"},
        {head + "BEGIN\n  CONTROL \"a\", 1, \"Edit\", ES_SHINY, 0, 0, 1, 1\nEND\n", 7, "unknown constant ES_SHINY"},
        {head + "CAPTION \"open\nBEGIN\nEND\n", 7, "unterminated string"},
    };
    for (const auto& c : cases) {
        try {
            ParseDialogTemplate(c.script, c.id);
            ADD_FAILURE() << "accepted: " << c.script;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace torvik::testing
