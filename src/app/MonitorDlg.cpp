#include "app/MonitorDlg.h"

#include <algorithm>

#include "device/DeviceSearch.h"
#include "storage/ConfigFile.h"
#include "supervision/DisplayAdapters.h"
#include "ui/ControlIds.h"

namespace torvik {
const CMonitorDlg::MessageMapEntry CMonitorDlg::kMessageMap[] = {
    {MessageKind::SysCommand, 0, 0, &CMonitorDlg::OnSysCommand},
    {MessageKind::Paint, 0, 0, &CMonitorDlg::OnPaint},
    {MessageKind::QueryDragIcon, 0, 0, &CMonitorDlg::OnQueryDragIcon},
    {MessageKind::Close, 0, 0, &CMonitorDlg::OnClose},
    {MessageKind::Timer, 0, 0, &CMonitorDlg::OnTimer},
    {MessageKind::Command, ctl::kOk, notify::kButtonClicked, &CMonitorDlg::OnOK},
    {MessageKind::Command, ctl::kFind, notify::kButtonClicked, &CMonitorDlg::OnFind},
    {MessageKind::Command, ctl::kClearLog, notify::kButtonClicked, &CMonitorDlg::OnClearLog},
    {MessageKind::Command, ctl::kVideoCardList, notify::kButtonClicked, &CMonitorDlg::OnVideoCardList},
    {MessageKind::HScroll, 0, 0, &CMonitorDlg::OnSliderScroll},
    {MessageKind::Notify, ctl::kTimeoutSlider, notify::kOutOfMemory, &CMonitorDlg::OnSliderOutOfMemory},
    {MessageKind::Command, ctl::kWebsiteEdit, notify::kEditChange, &CMonitorDlg::OnEditChange},
    {MessageKind::Command, ctl::kProgramEdit, notify::kEditChange, &CMonitorDlg::OnEditChange},
    {MessageKind::Command, ctl::kSave, notify::kButtonClicked, &CMonitorDlg::OnSave},
    {MessageKind::Command, ctl::kVideoCardCheck, notify::kButtonClicked, &CMonitorDlg::OnVideoCardCheck},
    {MessageKind::Command, ctl::kShowTimeCheck, notify::kButtonClicked, &CMonitorDlg::OnShowTimeCheck},
    {MessageKind::Command, ctl::kShowCardsCheck, notify::kButtonClicked, &CMonitorDlg::OnShowCardsCheck},
    {MessageKind::Command, ctl::kSoundCheck, notify::kButtonClicked, &CMonitorDlg::OnSoundCheck},
    {MessageKind::Command, ctl::kSetDeviceNumber, notify::kButtonClicked, &CMonitorDlg::OnSetDeviceNumber},
    {MessageKind::Command, ctl::kResetNow, notify::kButtonClicked, &CMonitorDlg::OnResetNow},
    {MessageKind::Command, ctl::kDisableWatchdog, notify::kButtonClicked, &CMonitorDlg::OnDisableWatchdog},
    {MessageKind::Command, ctl::kMakerLink, notify::kButtonClicked, &CMonitorDlg::OnMakerLink},
    {MessageKind::Notify, ctl::kTabs, notify::kTabSelChange, &CMonitorDlg::OnTabChange},
    {MessageKind::Command, ctl::kDaysHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kTimeoutHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kWebsiteHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kProgramHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kVideoCardHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kDisplayHelp, notify::kButtonClicked, &CMonitorDlg::OnHelpButton},
    {MessageKind::Command, ctl::kUsageHelp, notify::kButtonClicked, &CMonitorDlg::OnUsageHelp},
    {MessageKind::Command, ctl::kAddProgram, notify::kButtonClicked, &CMonitorDlg::OnAddProgram},
    {MessageKind::Command, ctl::kProcessList, notify::kListSelChange, &CMonitorDlg::OnPickProgram},
    {MessageKind::Command, ctl::kProgramTest, notify::kButtonClicked, &CMonitorDlg::OnProgramTest},
    {MessageKind::Command, ctl::kWebsiteTest, notify::kButtonClicked, &CMonitorDlg::OnWebsiteTest},
};

CMonitorDlg::CMonitorDlg(Ports ports)
    : ports_(ports),
      dlg_(ports.dialog),
      icon_(ports.dialog.LoadIconResource(res::kAppIcon)),
      serialPort_(std::make_unique<CSerialPort>(ports.serialDevice)),
      runLog_(ports.dialog, ports.clock),
      hid_(ports.hidDevices, state_.link),
      board_(state_.link, hid_),
      website_(ports.http, ports.clock) {
    board_.AttachSerialPort(serialPort_.get());
}

CMonitorDlg::~CMonitorDlg() = default;

DialogReply CMonitorDlg::Dispatch(const DialogEvent& event) {
    for (const MessageMapEntry& entry : kMessageMap) {
        if (entry.kind != event.kind) continue;
        const bool byControl = event.kind == MessageKind::Command || event.kind == MessageKind::Notify ||
                               event.kind == MessageKind::HScroll;
        if (byControl && entry.controlId != 0 &&
            (entry.controlId != event.controlId || entry.code != event.code))
            continue;
        return (this->*entry.handler)(event);
    }
    return kDefault;
}

// The start-up order matters: the sliders have their ranges before the settings
// file moves them, the settings file is read before the captions so that its
// language governs them, and the run log exists before its first line.
bool CMonitorDlg::OnInitDialog() {
    AddAboutMenuEntry();
    dlg_.SetIcon(icon_, true);
    dlg_.SetIcon(icon_, false);
    RangeSliders();
    NarrowWindow();
    state_.baselineAdapterCount = static_cast<std::uint8_t>(CountDisplayAdapters(ports_.displayDevices) & 0xFF);
    torvik::InitConfig(state_.settings, dlg_);
    RunLog::EnsureRunLog();
    SetCaptionsAndTabs();
    dlg_.SetTimer(kTickTimerId, kTickPeriodMs);
    AppendLog("Start...");
    AppendLog(TextOf(Text::VideoCardNumber, state_.settings.language) +
              std::to_string(static_cast<unsigned>(state_.baselineAdapterCount)));
    dlg_.EnableItem(ctl::kSave, false);  // loading the settings touched the edits
    return true;
}

void CMonitorDlg::SetCaptionsAndTabs() {
    struct Caption {
        int id;
        Text text;
    };
    static const Caption kCaptions[] = {
        {ctl::kTimeoutCaption, Text::TimeoutCaption},   {ctl::kDaysCaption, Text::DaysCaption},
        {ctl::kWebsiteCaption, Text::WebsiteCaption},   {ctl::kProgramCaption, Text::ProgramCaption},
        {ctl::kVideoCardCaption, Text::VideoCardCaption}, {ctl::kResetNow, Text::ResetNow},
        {ctl::kSave, Text::SaveConfig},                 {ctl::kUsageHelp, Text::Help},
        {ctl::kDisplayGroup, Text::DisplaySetup},       {ctl::kDeviceNumberCaption, Text::DisplayNumberSetup},
        {ctl::kShowTimeCaption, Text::DisplayTime},     {ctl::kShowCardsCaption, Text::DisplayCards},
        {ctl::kSoundCaption, Text::SoundSwitch},
    };
    const LanguageIndex language = state_.settings.language;
    for (const Caption& c : kCaptions) dlg_.SetItemText(c.id, TextOf(c.text, language));
    const Text tabs[] = {Text::Help, Text::WiringDiagram, Text::ProcessList};
    for (int position = 0; position < 3; ++position) dlg_.InsertTab(ctl::kTabs, position, TextOf(tabs[position], language));
}

void CMonitorDlg::AddAboutMenuEntry() {
    if (!dlg_.HasSystemMenu()) return;
    const std::string about = dlg_.LoadStringResource(res::kAboutMenuText);
    if (about.empty()) return;
    dlg_.AppendSystemMenuSeparator();
    dlg_.AppendSystemMenuItem(kAboutCommand, about);
}

void CMonitorDlg::RangeSliders() {
    struct SliderRange {
        int id, min, max, step;
    };
    static const SliderRange kSliders[] = {
        {ctl::kTimeoutSlider, 10, 1270, 10},
        {ctl::kDaysSlider, 0, 99, 1},
    };
    for (const SliderRange& s : kSliders) {
        dlg_.SetSliderRangeMin(s.id, s.min, true);
        dlg_.SetSliderRangeMax(s.id, s.max, true);
        dlg_.SetSliderTicFrequency(s.id, s.step);
        dlg_.SetSliderLineSize(s.id, s.step);
        dlg_.SetSliderPageSize(s.id, s.step);
    }
}

// The side pane starts cut off: the window ends just before the process list.
void CMonitorDlg::NarrowWindow() {
    const Rect list = dlg_.GetItemScreenRect(ctl::kProcessList);
    dlg_.SetWindowPos(0, 0, list.left - 2, kWindowHeight, kPosNoMove);
    dlg_.SetWindowPos(kWindowLeft, kWindowTop, 0, 0, kPosNoSize);
    state_.paneExpanded = false;
}

DialogReply CMonitorDlg::OnSysCommand(const DialogEvent& event) {
    if ((event.param & 0xFFF0u) != static_cast<unsigned>(kAboutCommand)) return kDefault;
    dlg_.RunAboutBox();
    return kHandled;
}

DialogReply CMonitorDlg::OnPaint(const DialogEvent&) {
    if (!dlg_.IsMinimised()) return kDefault;
    dlg_.PaintIcon(icon_, [](Size client, Size icon) {
        return Point{(client.cx - icon.cx + 1) / 2, (client.cy - icon.cy + 1) / 2};
    });
    return kHandled;
}

DialogReply CMonitorDlg::OnQueryDragIcon(const DialogEvent&) {
    return DialogReply{true, static_cast<std::intptr_t>(icon_)};
}

void CMonitorDlg::ReleasePort() {
    board_.AttachSerialPort(nullptr);
    ReleaseSerialPort(serialPort_);
}

DialogReply CMonitorDlg::OnClose(const DialogEvent&) {
    ReleasePort();
    return kDefault;  // the dialog's own close processing cancels it
}

DialogReply CMonitorDlg::OnOK(const DialogEvent&) {
    ReleasePort();
    dlg_.EndDialog(ctl::kOk);
    return kHandled;
}

DialogReply CMonitorDlg::OnTimer(const DialogEvent&) {
    SupervisionTick();
    return kDefault;
}

void CMonitorDlg::SearchDevice() {
    torvik::SearchDevice(DeviceSearchContext{state_.link, hid_, board_, serialPort_.get(), dlg_, ports_.clock,
                                             runLog_, state_.settings.language});
}

DialogReply CMonitorDlg::OnFind(const DialogEvent&) {
    SearchDevice();
    return kHandled;
}

DialogReply CMonitorDlg::OnClearLog(const DialogEvent&) {
    runLog_.Clear();
    return kHandled;
}

DialogReply CMonitorDlg::OnVideoCardList(const DialogEvent&) {
    // Each entry fits one log line, whatever the first-line rule costs.
    for (const std::string& entry : DisplayAdapterListEntries(ports_.displayDevices, kLogLineLimit - 30))
        AppendLog(entry);
    return kHandled;
}

}  // namespace torvik
