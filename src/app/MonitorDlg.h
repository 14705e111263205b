// The main window: host of every handler of the program. Its message map is one
// table that the Win32 dialog host and the test fake both dispatch through.
#pragma once

#include <memory>

#include "app/AppState.h"
#include "app/DialogMessages.h"
#include "device/CommandProtocol.h"
#include "device/HidChannel.h"
#include "device/SerialPort.h"
#include "platform/Clock.h"
#include "platform/DialogPort.h"
#include "platform/DisplayDevices.h"
#include "platform/HidDevices.h"
#include "platform/HttpClient.h"
#include "platform/Shell.h"
#include "platform/Shutdown.h"
#include "platform/WindowList.h"
#include "platform/SerialDevice.h"
#include "storage/RunLog.h"
#include "supervision/WebsiteProbe.h"

namespace torvik {

// The operating-system services the window works through.
struct Ports {
    DialogPort& dialog;
    Clock& clock;
    SerialDevice& serialDevice;
    HidDevices& hidDevices;
    DisplayDevices& displayDevices;
    Shutdown& shutdown;
    Shell& shell;
    WindowList& windows;
    HttpClient& http;
};

class CMonitorDlg : public DialogHandler {
public:
    explicit CMonitorDlg(Ports ports);
    ~CMonitorDlg() override;

    bool OnInitDialog() override;
    DialogReply Dispatch(const DialogEvent& event) override;

    AppState& state() { return state_; }
    // The one serial port of the process; null once the window has released it.
    CSerialPort* serialPort() { return serialPort_.get(); }
    IconHandle windowIcon() const { return icon_; }
    RunLog& runLog() { return runLog_; }
    BoardLink& board() { return board_; }

    // The one way to log: a timestamped line on screen and in RunLog.txt.
    void AppendLog(const std::string& message) { runLog_.AppendLog(message); }
    void SearchDevice();
    // One pass of the periodic health checks.
    void RunHealthChecks();
    // Applies the website answer that came in since the last look (each tick looks).
    void PollWebsiteProbe();
    bool WebsiteRequestInFlight() const { return website_.InFlight(); }

private:
    using Handler = DialogReply (CMonitorDlg::*)(const DialogEvent&);
    struct MessageMapEntry {
        MessageKind kind;
        int controlId;  // 0: any
        int code;
        Handler handler;
    };
    static const MessageMapEntry kMessageMap[];

    DialogReply OnSysCommand(const DialogEvent& event);
    DialogReply OnPaint(const DialogEvent& event);
    DialogReply OnQueryDragIcon(const DialogEvent& event);
    DialogReply OnClose(const DialogEvent& event);
    DialogReply OnOK(const DialogEvent& event);
    DialogReply OnTimer(const DialogEvent& event);
    DialogReply OnFind(const DialogEvent& event);
    DialogReply OnClearLog(const DialogEvent& event);
    DialogReply OnVideoCardList(const DialogEvent& event);

    // Settings controls.
    DialogReply OnSliderScroll(const DialogEvent& event);
    DialogReply OnSliderOutOfMemory(const DialogEvent& event);
    DialogReply OnEditChange(const DialogEvent& event);
    DialogReply OnSave(const DialogEvent& event);
    DialogReply OnVideoCardCheck(const DialogEvent& event);
    DialogReply OnShowTimeCheck(const DialogEvent& event);
    DialogReply OnShowCardsCheck(const DialogEvent& event);
    DialogReply OnSoundCheck(const DialogEvent& event);
    DialogReply OnSetDeviceNumber(const DialogEvent& event);
    DialogReply OnResetNow(const DialogEvent& event);
    DialogReply OnDisableWatchdog(const DialogEvent& event);
    DialogReply OnMakerLink(const DialogEvent& event);
    void SaveConfig();

    // Side pane.
    DialogReply OnTabChange(const DialogEvent& event);
    DialogReply OnHelpButton(const DialogEvent& event);
    DialogReply OnUsageHelp(const DialogEvent& event);
    void ShowHelpText(const std::string& english, const std::string& chinese, bool emptyProcessList);
    void ExpandPane();
    void CollapsePane();
    void SetPaneWidthFromList(int (*widthOf)(const Rect& list));

    // Watched program and website.
    DialogReply OnAddProgram(const DialogEvent& event);
    DialogReply OnPickProgram(const DialogEvent& event);
    DialogReply OnProgramTest(const DialogEvent& event);
    DialogReply OnWebsiteTest(const DialogEvent& event);
    bool IsProgramRunning();
    void StartWebsiteProbe(WebsiteProbe::Purpose purpose);
    void ApplyWebsiteAnswer(WebsiteProbe::Purpose purpose, bool reachable);

    void ReleasePort();  // the OK and close paths: nothing is written to the port after this
    void AddAboutMenuEntry();
    void RangeSliders();
    void NarrowWindow();
    void SetCaptionsAndTabs();
    void SupervisionTick();
    void OneSecondStep();
    void SendTimeDisplayNow();  // the local time on the board's display

    Ports ports_;
    DialogPort& dlg_;
    AppState state_;
    IconHandle icon_ = 0;
    bool restartBoxOpen_ = false;  // a failure box of the scheduled restart waits for OK
    std::unique_ptr<CSerialPort> serialPort_;
    RunLog runLog_;
    HidChannel hid_;
    BoardLink board_;
    WebsiteProbe website_;
    bool websiteTestWaiting_ = false;  // Test pressed while a request was in flight
};

}  // namespace torvik
