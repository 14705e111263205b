// Reads a dialog template out of the resource script, so that tests and the fake
// dialog work from the very layout the real window is built from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::testing {

// Window style bits that the template uses (same values as the Windows headers).
namespace style {
constexpr std::uint32_t kChild = 0x40000000u;
constexpr std::uint32_t kVisible = 0x10000000u;
constexpr std::uint32_t kDisabled = 0x08000000u;
constexpr std::uint32_t kBorder = 0x00800000u;
constexpr std::uint32_t kVScroll = 0x00200000u;
constexpr std::uint32_t kTabStop = 0x00010000u;
constexpr std::uint32_t kGroup = 0x00020000u;
}  // namespace style

enum class ControlKind { Label, GroupBox, Button, CheckBox, Edit, ListBox, Slider, Tab, Picture, Other };

struct TemplateControl {
    int id = -1;               // -1 for controls declared with IDC_STATIC / -1
    std::string windowClass;   // as written in the script: "Static", "Button", "Edit", ...
    std::string text;          // GBK bytes
    std::uint32_t style = 0;   // complete style, including WS_CHILD and WS_VISIBLE unless removed
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units

    ControlKind kind() const;
    bool visible() const { return (style & style::kVisible) != 0; }
    bool enabled() const { return (style & style::kDisabled) == 0; }
    bool hasStyle(std::uint32_t bits) const { return (style & bits) == bits; }
};

struct DialogTemplate {
    int id = 0;
    std::string caption;   // GBK bytes
    std::string fontName;  // GBK bytes
    int fontPoints = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::vector<TemplateControl> controls;  // in template order

    const TemplateControl* find(int controlId) const;
};

// Parses the DIALOGEX block with the given numeric id out of a UTF-8 resource
// script. Throws std::runtime_error with a readable message when the block is
// missing or uses syntax the reader does not know.
DialogTemplate ParseDialogTemplate(const std::string& scriptUtf8, int dialogId);

// Reads the project's resource script (the path is compiled into the test build).
DialogTemplate LoadProjectDialog(int dialogId);

// String table entry from the same script, as GBK bytes ("" when missing).
std::string LoadProjectString(int stringId);

}  // namespace torvik::testing
