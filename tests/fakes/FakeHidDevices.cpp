#include "FakeHidDevices.h"

#include <algorithm>

#include "device/OemTable.h"

namespace torvik::testing {

FakeHidInterface& FakeHidDevices::Add(std::uint16_t vendorId, std::uint16_t productId) {
    FakeHidInterface i;
    i.path = "\\\\?\\hid#" + std::to_string(interfaces_.size());
    i.vendorId = vendorId;
    i.productId = productId;
    interfaces_.push_back(i);
    return interfaces_.back();
}

FakeHidInterface& FakeHidDevices::Board() { return Add(OemTable::kBoardVendorId, OemTable::kBoardProductId); }

FakeHidInterface* FakeHidDevices::Present(const std::string& path) {
    for (FakeHidInterface& i : interfaces_)
        if (i.path == path && i.present) return &i;
    return nullptr;
}

bool FakeHidDevices::InterfacePath(int index, std::string& path) {
    int n = 0;
    for (const FakeHidInterface& i : interfaces_) {
        if (!i.present) continue;
        if (n++ == index) {
            path = i.path;
            return true;
        }
    }
    return false;
}

DeviceHandle FakeHidDevices::NewHandle(const std::string& path) {
    handles_.emplace_back(next_, path);
    return next_++;
}

DeviceHandle FakeHidDevices::OpenQuery(const std::string& path) {
    opened.push_back("query " + path);
    FakeHidInterface* i = Present(path);
    return i && !i->failOpenQuery ? NewHandle(path) : kInvalidDeviceHandle;
}

DeviceHandle FakeHidDevices::OpenWrite(const std::string& path) {
    opened.push_back("write " + path);
    FakeHidInterface* i = Present(path);
    return i && !i->failOpenWrite ? NewHandle(path) : kInvalidDeviceHandle;
}

DeviceHandle FakeHidDevices::OpenRead(const std::string& path) {
    opened.push_back("read " + path);
    return Present(path) ? NewHandle(path) : kInvalidDeviceHandle;
}

static const std::string* PathOf(const std::vector<std::pair<DeviceHandle, std::string>>& handles, DeviceHandle h) {
    for (const auto& [handle, path] : handles)
        if (handle == h) return &path;
    return nullptr;
}

bool FakeHidDevices::GetAttributes(DeviceHandle query, std::uint16_t& vendorId, std::uint16_t& productId) {
    const std::string* path = PathOf(handles_, query);
    FakeHidInterface* i = path ? Present(*path) : nullptr;
    if (!i || i->failAttributes) return false;
    vendorId = i->vendorId;
    productId = i->productId;
    return true;
}

std::uint16_t FakeHidDevices::GetOutputReportLength(DeviceHandle query) {
    const std::string* path = PathOf(handles_, query);
    FakeHidInterface* i = path ? Present(*path) : nullptr;
    return i ? i->outputReportLength : 0;
}

bool FakeHidDevices::WriteReport(DeviceHandle write, const std::uint8_t* report, std::size_t length) {
    const std::string* path = PathOf(handles_, write);
    FakeHidInterface* i = path ? Present(*path) : nullptr;  // unplugged: the handle is dead
    if (!i || i->failWrite) return false;
    i->reports.emplace_back(report, report + length);
    if (i->onReport) i->onReport(report, length);
    return true;
}

void FakeHidDevices::Close(DeviceHandle h) {
    handles_.erase(std::remove_if(handles_.begin(), handles_.end(), [h](const auto& e) { return e.first == h; }),
                   handles_.end());
}

}  // namespace torvik::testing
