// The HID transport: the board is the first HID interface carrying its vendor and
// product IDs; every single-byte command goes to it as one output report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/LinkState.h"
#include "platform/HidDevices.h"

namespace torvik {

class HidChannel {
public:
    HidChannel(HidDevices& devices, LinkState& link) : devices_(devices), link_(link) {}

    // True when this enumeration matched the board; then hidFound, overHid and
    // connected are set. A match whose write handle does not open is no match.
    bool FindHidDevice();
    // Sends the report; a failed write closes the handles and clears hidFound.
    void WriteHidReport();
    void CloseHidHandles();

    void SetCommandByte(std::uint8_t command) { hidReport_[1] = command; }
    std::uint16_t outputReportLength() const { return outputReportLength_; }

private:
    HidDevices& devices_;
    LinkState& link_;
    DeviceHandle query_ = kInvalidDeviceHandle;
    DeviceHandle write_ = kInvalidDeviceHandle;
    DeviceHandle read_ = kInvalidDeviceHandle;
    std::uint16_t outputReportLength_ = 0;
    std::vector<std::uint8_t> hidReport_ = std::vector<std::uint8_t>(2, 0);
};

}  // namespace torvik
