#include "device/HidChannel.h"

#include "device/OemTable.h"

namespace torvik {

bool HidChannel::FindHidDevice() {
    devices_.BeginEnumeration();
    link_.hidFound = false;
    std::string path;
    for (int index = 0; devices_.InterfacePath(index, path); ++index) {
        const DeviceHandle query = devices_.OpenQuery(path);
        std::uint16_t vendor = 0, product = 0;
        const bool isBoard = query != kInvalidDeviceHandle && devices_.GetAttributes(query, vendor, product) &&
                             vendor == OemTable::kBoardVendorId && product == OemTable::kBoardProductId;
        if (!isBoard) {
            if (query != kInvalidDeviceHandle) devices_.Close(query);
            continue;
        }
        const DeviceHandle write = devices_.OpenWrite(path);
        if (write == kInvalidDeviceHandle) {
            // A board that cannot be written to is no link: leave it for the next search.
            devices_.Close(query);
            continue;
        }
        CloseHidHandles();  // handles of an earlier match that were never closed
        query_ = query;
        write_ = write;
        devices_.RegisterForNotifications();
        outputReportLength_ = devices_.GetOutputReportLength(query_);
        read_ = devices_.OpenRead(path);
        link_.hidFound = true;
        break;
    }
    if (link_.hidFound) {
        link_.overHid = true;
        link_.connected = true;
    }
    devices_.EndEnumeration();
    return link_.hidFound;
}

void HidChannel::WriteHidReport() {
    hidReport_.resize(outputReportLength_ < 2 ? 2 : outputReportLength_, 0);
    hidReport_[0] = 0;  // report ID
    if (!devices_.WriteReport(write_, hidReport_.data(), outputReportLength_)) {
        CloseHidHandles();
        link_.hidFound = false;
    }
}

void HidChannel::CloseHidHandles() {
    for (DeviceHandle* h : {&query_, &read_, &write_}) {
        if (*h != kInvalidDeviceHandle) devices_.Close(*h);
        *h = kInvalidDeviceHandle;
    }
}

}  // namespace torvik
