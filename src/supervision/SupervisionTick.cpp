// The heartbeat: every 500 ms the status panel and the scheduled restart; every
// second tick a one-second step that feeds the board, counts running time, paces
// the display frames and the health checks, and searches while no board is linked.
#include <algorithm>

#include "app/MonitorDlg.h"
#include "supervision/StatusPanel.h"
#include "supervision/SystemRestart.h"
#include "ui/ControlIds.h"

namespace torvik {

void CMonitorDlg::SupervisionTick() {
    PollWebsiteProbe();  // a website answer that came in since the last tick
    TickState& tick = state_.tick;
    const Settings& settings = state_.settings;
    const std::int64_t remaining = RemainingSeconds(settings.restartDays, tick.uptimeSeconds);
    if (!tick.bootTimeTaken) {
        const LocalTime now = ports_.clock.Now();
        const int fields[6] = {now.year, now.month, now.day, now.hour, now.minute, now.second};
        std::copy(fields, fields + 6, tick.bootTime);
        tick.bootTimeTaken = true;
    }
    dlg_.SetItemText(ctl::kStatusPanel, BuildStatusPanel(tick, settings.restartDays, remaining, settings.language));

    // Ticks go on inside a failure box of the restart; they feed but open no second box.
    if (settings.restartDays > 0 && remaining < 10 && !restartBoxOpen_) {
        AppendLog("System timing reboot!");
        restartBoxOpen_ = true;
        RebootSystem(ports_.shutdown);
        restartBoxOpen_ = false;
    }
    if (++tick.halfTickToggle < 2) return;
    tick.halfTickToggle = 0;
    OneSecondStep();
}

void CMonitorDlg::SendTimeDisplayNow() {
    const LocalTime now = ports_.clock.Now();
    board_.SendTimeDisplay(now.hour, now.minute);
}

void CMonitorDlg::OneSecondStep() {
    TickState& tick = state_.tick;
    if (state_.link.connected) board_.SendCommand(FeedByte(state_.settings.timeoutSeconds));
    ++tick.uptimeSeconds;
    ++tick.cycleCounter;
    if (tick.cycleCounter % 10 == 9 && IsChecked(dlg_, ctl::kShowTimeCheck)) SendTimeDisplayNow();
    if (tick.cycleCounter % 10 == 7 && IsChecked(dlg_, ctl::kShowCardsCheck))
        board_.SendAdapterCountDisplay(state_.baselineAdapterCount);
    if (tick.cycleCounter % 20 == 19) RunHealthChecks();
    if (!state_.link.connected) SearchDevice();  // read afresh: a send above may have lost the board
}


}  // namespace torvik
