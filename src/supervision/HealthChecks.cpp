// The periodic health checks: the watched program, the display adapters and the
// website, in this order. A rule that fires logs why and has the board reset the
// PC; the later rules still run.
#include "app/MonitorDlg.h"
#include "supervision/DisplayAdapters.h"
#include "ui/ControlIds.h"

namespace torvik {
void CMonitorDlg::RunHealthChecks() {
    const auto resetThePc = [this] {
        AppendLog("Reboot the system!");  // on the disk before the board acts
        board_.SendCommand(command::kResetNow);
    };
    if (!state_.pickingProgram && !IsProgramRunning()) resetThePc();
    if (CountDisplayAdapters(ports_.displayDevices) != state_.baselineAdapterCount) resetThePc();
    if (IsChecked(dlg_, ctl::kVideoCardCheck) &&
        CountDisplayAdapters(ports_.displayDevices) != state_.baselineAdapterCount) {
        AppendLog("VideoCards Nquantity error!");
        resetThePc();
    }
    // The website answers later, on a worker thread; a pass that comes while the
    // last request is still out leaves the website rule out.
    if (!website_.InFlight()) StartWebsiteProbe(WebsiteProbe::Purpose::HealthCheck);
}

void CMonitorDlg::StartWebsiteProbe(WebsiteProbe::Purpose purpose) {
    const std::string host = dlg_.GetItemText(ctl::kWebsiteEdit);
    if (host.empty()) {
        ApplyWebsiteAnswer(purpose, true);  // nothing is watched
        return;
    }
    website_.Start(host, purpose);
}

void CMonitorDlg::PollWebsiteProbe() {
    if (const auto answer = website_.Poll()) ApplyWebsiteAnswer(answer->purpose, answer->reachable);
    if (websiteTestWaiting_ && !website_.InFlight()) {
        websiteTestWaiting_ = false;
        StartWebsiteProbe(WebsiteProbe::Purpose::TestButton);
    }
}

void CMonitorDlg::ApplyWebsiteAnswer(WebsiteProbe::Purpose purpose, bool reachable) {
    std::uint8_t& failures = state_.settings.netFailCount;
    if (purpose == WebsiteProbe::Purpose::TestButton) {
        if (!reachable) {
            AppendLog("Test Internet link error!");
            return;
        }
        AppendLog("Test Internet link ok!");
        failures = 0;
        SaveConfig();
        return;
    }
    if (reachable) {
        if (failures != 0) {
            failures = 0;
            SaveConfig();
        }
        return;
    }
    ++failures;  // 255 wraps to 0
    SaveConfig();  // the count is on the disk before the board resets the PC
    AppendLog("Internet checked error!");
    if (failures > 1 && failures < 5) {
        AppendLog("Reboot the system!");
        board_.SendCommand(command::kResetNow);
    }
}

DialogReply CMonitorDlg::OnWebsiteTest(const DialogEvent&) {
    if (website_.InFlight())
        websiteTestWaiting_ = true;  // asked as soon as the request out now has finished
    else
        StartWebsiteProbe(WebsiteProbe::Purpose::TestButton);
    return kHandled;
}

}  // namespace torvik
