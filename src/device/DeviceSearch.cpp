#include "device/DeviceSearch.h"

#include <cstdio>

#include "ui/ControlIds.h"

namespace torvik {
namespace {

constexpr int kHighestComPort = 15;
constexpr unsigned kReplyWaitMs = 100;
constexpr int kReplyBufferSize = 9;

void EnableDisplayGroup(DialogPort& dialog, bool enable) {
    for (int id : kDisplayGroup) dialog.EnableItem(id, enable);
}

bool WaitingReply(CSerialPort& port, int& count) {
    count = port.BytesAvailable();
    return count >= 1 && count <= kReplyBufferSize;
}

// Probes the COM ports; true when one answered as the board. The board's port stays open.
bool ProbeComPorts(const DeviceSearchContext& c, unsigned& versionCode) {
    CSerialPort& port = *c.serialPort;
    for (int index = 0; index <= kHighestComPort; ++index) {
        if (port.IsOpen()) port.Close();
        if (!port.Open(index, 9600, 8, 1, 0, 1024, 1024)) continue;
        c.board.SendCommand(command::kProbe);
        c.clock.Pause(kReplyWaitMs);
        unsigned char reply[kReplyBufferSize] = {};
        int count = 0;
        if (!WaitingReply(port, count)) continue;
        port.Read(reply, static_cast<std::uint32_t>(count));
        if (reply[0] != command::kProbeReply) continue;

        versionCode = VersionFromProbeReply(reply, count);
        c.link.serialVersionCode = static_cast<std::uint16_t>(versionCode);
        c.link.connected = true;
        c.link.versionClass = static_cast<std::int32_t>(versionCode / 100);
        c.clock.Pause(kReplyWaitMs);
        const std::uint8_t query[2] = {command::kCountQuery, reply[1]};
        c.board.SendFrame(query, sizeof query);
        c.clock.Pause(kReplyWaitMs);
        // The count is the second byte of the answer; an answer of one byte carries none.
        if (WaitingReply(port, count) && count >= 2) {
            port.Read(reply, static_cast<std::uint32_t>(count));
            const unsigned resets = reply[1];
            if (resets >= 1 && resets <= 5) {
                char line[128];
                std::snprintf(line, sizeof line, "%s %d", TextOf(Text::ResetTimesLastTime, c.language), resets);
                c.log.AppendLog(line);
            }
        }
        return true;
    }
    return false;
}

}  // namespace

const int kDisplayGroup[11] = {ctl::kDeviceNumberCaption, ctl::kDeviceNumberEdit, ctl::kSetDeviceNumber,
                               ctl::kDisplayGroup,        ctl::kDisplayHelp,      ctl::kShowTimeCaption,
                               ctl::kShowCardsCaption,    ctl::kShowTimeCheck,    ctl::kShowCardsCheck,
                               ctl::kSoundCaption,        ctl::kSoundCheck};

unsigned VersionFromProbeReply(const unsigned char* reply, int length) {
    const unsigned high = length >= 2 ? reply[1] : 0;
    const unsigned low = length >= 3 ? reply[2] : 0;
    return high * 256 + low;
}

void SearchDevice(const DeviceSearchContext& c) {
    c.hid.FindHidDevice();
    EnableDisplayGroup(c.dialog, false);
    c.link.versionClass = 0;
    unsigned versionCode = 0;
    if (!c.link.overHid) {
        if (!c.link.connected) {
            if (c.serialPort) ProbeComPorts(c, versionCode);
        } else {
            // A search while the serial board is still linked (the find button) leaves
            // the ports alone and keeps showing that board's version and display controls.
            versionCode = c.link.serialVersionCode;
            c.link.versionClass = static_cast<std::int32_t>(versionCode / 100);
        }
    }

    std::string status;
    if (c.link.connected) {
        char text[128];
        std::snprintf(text, sizeof text, "%s Ver:3.%04X", TextOf(Text::Linked, c.language), versionCode);
        status = text;
    } else {
        status = TextOf(Text::LinkError, c.language);
    }
    if (!c.link.searchedOnce) c.log.AppendLog(status);
    c.dialog.SetItemText(ctl::kStatusLine, status);
    if (c.link.connected && c.link.versionClass > 8) EnableDisplayGroup(c.dialog, true);
    c.link.searchedOnce = true;
}

}  // namespace torvik
