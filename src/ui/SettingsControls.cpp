// The settings and action controls of the left column: sliders, edits, Save, the
// four check boxes, the device-number row, Reset now, Disable and the link button.
#include <cctype>
#include <climits>
#include <cstdio>

#include "app/MonitorDlg.h"
#include "storage/ConfigFile.h"
#include "ui/ControlIds.h"

namespace torvik {
namespace {

constexpr const char* kMakerAddress = "https://torvik.example.com";

// A signed whole number as a dialog reads it from an edit: blanks around it are
// allowed, anything else (or a number too large) reads as 0.
int DialogInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return 0;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (digits == 0 || i != text.size()) return 0;
    value = negative ? -value : value;
    return value > INT_MAX || value < INT_MIN ? 0 : static_cast<int>(value);
}

}  // namespace

void CMonitorDlg::SaveConfig() { torvik::SaveConfig(state_.settings, dlg_); }

DialogReply CMonitorDlg::OnSliderScroll(const DialogEvent&) {
    Settings& settings = state_.settings;
    settings.timeoutSeconds = dlg_.GetSliderPos(ctl::kTimeoutSlider);
    dlg_.SetItemText(ctl::kTimeoutLabel, std::to_string(settings.timeoutSeconds));
    settings.restartDays = dlg_.GetSliderPos(ctl::kDaysSlider);
    dlg_.SetItemText(ctl::kDaysLabel, std::to_string(settings.restartDays));
    dlg_.EnableItem(ctl::kSave, true);
    SaveConfig();
    return kDefault;  // the window's own scroll handling runs too
}

DialogReply CMonitorDlg::OnSliderOutOfMemory(const DialogEvent&) { return kHandled; }

DialogReply CMonitorDlg::OnEditChange(const DialogEvent&) {
    dlg_.EnableItem(ctl::kSave, true);
    return kHandled;
}

DialogReply CMonitorDlg::OnSave(const DialogEvent&) {
    SaveConfig();
    return kHandled;
}

DialogReply CMonitorDlg::OnVideoCardCheck(const DialogEvent&) {
    dlg_.EnableItem(ctl::kSave, true);
    SaveConfig();
    return kHandled;
}

DialogReply CMonitorDlg::OnShowTimeCheck(const DialogEvent&) {
    dlg_.EnableItem(ctl::kSave, true);
    state_.tick.cycleCounter = 0;
    if (IsChecked(dlg_, ctl::kShowTimeCheck)) SendTimeDisplayNow();
    SaveConfig();
    dlg_.EnableItem(ctl::kSave, true);
    return kHandled;
}

DialogReply CMonitorDlg::OnShowCardsCheck(const DialogEvent&) {
    dlg_.EnableItem(ctl::kSave, true);
    state_.tick.cycleCounter = 0;
    if (IsChecked(dlg_, ctl::kShowCardsCheck)) board_.SendAdapterCountDisplay(state_.baselineAdapterCount);
    SaveConfig();
    dlg_.EnableItem(ctl::kSave, true);
    return kHandled;
}

DialogReply CMonitorDlg::OnSoundCheck(const DialogEvent&) {
    state_.tick.cycleCounter = 0;
    board_.SendCommand(IsChecked(dlg_, ctl::kSoundCheck) ? command::kBuzzerOn : command::kBuzzerOff);
    SaveConfig();
    dlg_.EnableItem(ctl::kSave, true);
    return kHandled;
}

DialogReply CMonitorDlg::OnSetDeviceNumber(const DialogEvent&) {
    const int number = DialogInt(dlg_.GetItemText(ctl::kDeviceNumberEdit)) % 10000;
    state_.tick.cycleCounter = 0;
    board_.SendDeviceNumber(number);
    char line[64];
    std::snprintf(line, sizeof line, "Set watchdog device No. : %04d!", number);
    AppendLog(line);
    return kHandled;
}

DialogReply CMonitorDlg::OnResetNow(const DialogEvent&) {
    AppendLog("Reset the system now!");  // on the disk before the board acts
    board_.SendCommand(command::kResetNow);
    return kHandled;
}

DialogReply CMonitorDlg::OnDisableWatchdog(const DialogEvent&) {
    board_.SendCommand(command::kDisableWatchdog);
    return kHandled;
}

DialogReply CMonitorDlg::OnMakerLink(const DialogEvent&) {
    ports_.shell.OpenUrl(kMakerAddress);
    return kHandled;
}

}  // namespace torvik
