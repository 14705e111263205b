// The watched program: it counts as running while a visible top-level window has
// exactly the title in the AppName edit. Add lists the visible windows' titles in
// the process list, and a pick copies one into the edit.
#include "app/GbkText.h"
#include "app/MonitorDlg.h"
#include "supervision/WindowTitles.h"
#include "ui/ControlIds.h"

namespace torvik {
namespace {

constexpr int kProcessListTab = 2;

}  // namespace

bool CMonitorDlg::IsProgramRunning() {
    const std::string appName = dlg_.GetItemText(ctl::kProgramEdit);
    dlg_.ResetList(ctl::kProcessList);
    if (appName.empty()) return true;
    for (const std::string& title : VisibleWindowTitles(ports_.windows))
        if (title == appName) return true;
    AppendLog("\"" + CutAtCharBoundary(appName, kNotRunningNameLimit) + "\" is not running!");
    return false;
}

DialogReply CMonitorDlg::OnAddProgram(const DialogEvent&) {
    dlg_.SetTabSelection(ctl::kTabs, kProcessListTab);
    dlg_.ShowItem(ctl::kHelpText, false);
    dlg_.ShowItem(ctl::kProcessList, true);
    dlg_.ResetList(ctl::kProcessList);
    state_.pickingProgram = true;
    state_.paneExpanded = false;
    for (const std::string& title : VisibleWindowTitles(ports_.windows)) dlg_.AddListString(ctl::kProcessList, title);
    ExpandPane();  // opened for picking, not by help: paneExpanded stays false
    return kHandled;
}

DialogReply CMonitorDlg::OnPickProgram(const DialogEvent&) {
    const int line = dlg_.GetListCurrent(ctl::kProcessList);
    if (line < 0 || state_.paneExpanded) return kHandled;
    state_.pickingProgram = false;
    dlg_.SetItemText(ctl::kProgramEdit, dlg_.GetListText(ctl::kProcessList, line));
    SetPaneWidthFromList([](const Rect& list) { return list.left - 8; });
    return kHandled;
}

DialogReply CMonitorDlg::OnProgramTest(const DialogEvent&) {
    if (IsProgramRunning()) AppendLog("Running!");
    return kHandled;
}

}  // namespace torvik
