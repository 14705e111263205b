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
#include "platform/Shutdown.h"
#include "platform/SerialDevice.h"
#include "storage/RunLog.h"

namespace torvik {

// The operating-system services the window works through.
struct Ports {
    DialogPort& dialog;
    Clock& clock;
    SerialDevice& serialDevice;
    HidDevices& hidDevices;
    DisplayDevices& displayDevices;
    Shutdown& shutdown;
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

    void AddAboutMenuEntry();
    void RangeSliders();
    void NarrowWindow();
    void SetCaptionsAndTabs();
    void SupervisionTick();
    void OneSecondStep();

    Ports ports_;
    DialogPort& dlg_;
    AppState state_;
    IconHandle icon_ = 0;
    bool restartBoxOpen_ = false;  // a failure box of the scheduled restart waits for OK
    std::unique_ptr<CSerialPort> serialPort_;
    RunLog runLog_;
    HidChannel hid_;
    BoardLink board_;
};

}  // namespace torvik
