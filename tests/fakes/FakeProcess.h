// One process of the program on fakes: a scratch working folder, the fake window
// and services, and the main window object, freshly made per test.
#pragma once

#include "FakeClock.h"
#include "FakeDesktop.h"
#include "FakeDialog.h"
#include "FakeDisplayDevices.h"
#include "FakeHidDevices.h"
#include "FakeSerialDevice.h"
#include "FakeShutdown.h"
#include "ScratchFolder.h"
#include <chrono>
#include <thread>

#include "app/MonitorDlg.h"

namespace torvik::testing {

struct FakeProcess {
    // A process in a fresh folder, or in `folder` to play a restart of the program there.
    explicit FakeProcess(const std::string& folderPath = "") : folder(folderPath) {}

    ScratchFolder folder;
    FakeDialog dialog;
    FakeClock clock;
    FakeSerialDevice serial;
    FakeHidDevices hid;
    FakeDisplayDevices display;
    FakeShutdown shutdown;
    FakeShell shell;
    FakeWindowList windows;
    FakeHttpClient http;
    CMonitorDlg window{ports()};

    Ports ports() { return Ports{dialog, clock, serial, hid, display, shutdown, shell, windows, http}; }

    ~FakeProcess() { http.ReleaseAll(); }  // a request left waiting would hold the window's end

    void Start() { dialog.RunModal(window); }
    // Waits for the website request out now, then lets the window take its answer.
    void WaitForWebsiteAnswer() {
        while (window.WebsiteRequestInFlight()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        window.PollWebsiteProbe();
    }
    AppState& state() { return window.state(); }
    LinkState& link() { return window.state().link; }
};

}  // namespace torvik::testing
