// One process of the program on fakes: a scratch working folder, the fake window
// and services, and the main window object, freshly made per test.
#pragma once

#include "FakeClock.h"
#include "FakeDialog.h"
#include "FakeDisplayDevices.h"
#include "FakeHidDevices.h"
#include "FakeSerialDevice.h"
#include "FakeShutdown.h"
#include "ScratchFolder.h"
#include "app/MonitorDlg.h"

namespace torvik::testing {

struct FakeProcess {
    ScratchFolder folder;
    FakeDialog dialog;
    FakeClock clock;
    FakeSerialDevice serial;
    FakeHidDevices hid;
    FakeDisplayDevices display;
    FakeShutdown shutdown;
    CMonitorDlg window{Ports{dialog, clock, serial, hid, display, shutdown}};

    void Start() { dialog.RunModal(window); }
    AppState& state() { return window.state(); }
    LinkState& link() { return window.state().link; }
};

}  // namespace torvik::testing
