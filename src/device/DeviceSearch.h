// Finds the board: HID first, then (unless HID was ever found) the COM ports 1 to
// 15 with the probe; records the outcome in the link state, the status line and,
// for the first search of the run, the log.
#pragma once

#include "app/TextTable.h"
#include "device/CommandProtocol.h"
#include "platform/Clock.h"
#include "platform/DialogPort.h"
#include "storage/RunLog.h"

namespace torvik {

struct DeviceSearchContext {
    LinkState& link;
    HidChannel& hid;
    BoardLink& board;
    CSerialPort* serialPort;
    DialogPort& dialog;
    Clock& clock;
    RunLog& log;
    LanguageIndex language;
};

// The controls only boards with a display can use, in the order they are switched.
extern const int kDisplayGroup[11];

void SearchDevice(const DeviceSearchContext& c);

// The board's version code from a probe reply of `length` bytes starting with 0x81.
// Version bytes that did not arrive count as 0, so a short reply links the board
// without the display features.
unsigned VersionFromProbeReply(const unsigned char* reply, int length);

}  // namespace torvik
