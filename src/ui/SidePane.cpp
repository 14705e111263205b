// The side pane: a tab control over the help text, the wiring diagram and the
// process list, shown by widening the window and hidden by narrowing it.
#include "app/MonitorDlg.h"
#include "device/OemTable.h"
#include "ui/ControlIds.h"
#include "ui/HelpTexts.h"

namespace torvik {
// Every geometry change first puts the window back at (1, 1), so the widths below
// do not depend on where the user dragged it.
void CMonitorDlg::SetPaneWidthFromList(int (*widthOf)(const Rect& list)) {
    dlg_.SetWindowPos(kWindowLeft, kWindowTop, 0, 0, kPosNoSize);
    const Rect list = dlg_.GetItemScreenRect(ctl::kProcessList);
    dlg_.SetWindowPos(0, 0, widthOf(list), kWindowHeight, kPosNoMove);
}

void CMonitorDlg::ExpandPane() {
    SetPaneWidthFromList([](const Rect& list) { return list.right + 8; });
}

void CMonitorDlg::CollapsePane() {
    SetPaneWidthFromList([](const Rect& list) { return list.left - 4; });
}

DialogReply CMonitorDlg::OnTabChange(const DialogEvent&) {
    struct Step {
        int id;
        bool show;
    };
    // Per tab, the pages shown and hidden, in this order.
    static const Step kSteps[3][3] = {
        {{ctl::kHelpText, true}, {ctl::kProcessList, false}, {ctl::kWiringPicture, false}},
        {{ctl::kHelpText, false}, {ctl::kWiringPicture, true}, {ctl::kProcessList, false}},
        {{ctl::kHelpText, false}, {ctl::kProcessList, true}, {ctl::kWiringPicture, false}},
    };
    const int tab = dlg_.GetTabSelection(ctl::kTabs);
    if (tab >= 0 && tab < 3)
        for (const Step& step : kSteps[tab]) dlg_.ShowItem(step.id, step.show);
    return kHandled;
}

void CMonitorDlg::ShowHelpText(const std::string& english, const std::string& chinese, bool emptyProcessList) {
    dlg_.ShowItem(ctl::kHelpText, true);
    dlg_.ShowItem(ctl::kProcessList, false);
    if (emptyProcessList) dlg_.ResetList(ctl::kProcessList);
    dlg_.SetItemText(ctl::kHelpText, state_.settings.language == kChinese ? chinese : english);
    if (state_.paneExpanded) {
        CollapsePane();
        state_.paneExpanded = false;
    } else {
        ExpandPane();
        state_.paneExpanded = true;
    }
}

DialogReply CMonitorDlg::OnHelpButton(const DialogEvent& event) {
    if (const HelpPair* help = FindHelpText(event.controlId))
        ShowHelpText(help->english, help->chinese, event.controlId == ctl::kTimeoutHelp);
    return kHandled;
}

DialogReply CMonitorDlg::OnUsageHelp(const DialogEvent&) {
    std::string chinese = kUsageTextChinese;
    if (OemTable::kContactBlockFlag != 0) chinese += kContactBlock;
    ShowHelpText(kUsageTextEnglish, chinese, false);
    return kHandled;
}

}  // namespace torvik
