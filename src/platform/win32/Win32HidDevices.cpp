#include "platform/win32/Win32HidDevices.h"

#include <dbt.h>
extern "C" {
#include <hidsdi.h>
}

#include <vector>

namespace torvik::win32 {
namespace {

HANDLE AsHandle(DeviceHandle h) { return reinterpret_cast<HANDLE>(h); }

DeviceHandle OpenDevice(const std::string& path, DWORD access, DWORD flags) {
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                           nullptr);
    return reinterpret_cast<DeviceHandle>(h);
}

}  // namespace

void Win32HidDevices::BeginEnumeration() {
    HidD_GetHidGuid(&hidGuid_);
    infoSet_ = SetupDiGetClassDevsA(&hidGuid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
}

bool Win32HidDevices::InterfacePath(int index, std::string& path) {
    if (infoSet_ == INVALID_HANDLE_VALUE) return false;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(infoSet_, nullptr, &hidGuid_, static_cast<DWORD>(index), &data)) return false;
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(infoSet_, &data, nullptr, 0, &required, nullptr);
    path.clear();
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return true;  // no path: opens fail, not the board
    std::vector<unsigned char> buffer(required, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);  // the fixed part, for this build's architecture
    if (SetupDiGetDeviceInterfaceDetailA(infoSet_, &data, detail, required, nullptr, nullptr))
        path = detail->DevicePath;
    return true;
}

void Win32HidDevices::EndEnumeration() {
    if (infoSet_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(infoSet_);
    infoSet_ = INVALID_HANDLE_VALUE;
}

DeviceHandle Win32HidDevices::OpenQuery(const std::string& path) { return OpenDevice(path, 0, 0); }
DeviceHandle Win32HidDevices::OpenWrite(const std::string& path) { return OpenDevice(path, GENERIC_WRITE, 0); }

DeviceHandle Win32HidDevices::OpenRead(const std::string& path) {
    const DeviceHandle h = OpenDevice(path, GENERIC_READ, FILE_FLAG_OVERLAPPED);
    if (!readEvent_) {
        readEvent_ = CreateEventA(nullptr, TRUE, TRUE, "");
        readOverlapped_.hEvent = readEvent_;
    }
    return h;
}

bool Win32HidDevices::GetAttributes(DeviceHandle query, std::uint16_t& vendorId, std::uint16_t& productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(AsHandle(query), &attributes)) return false;
    vendorId = attributes.VendorID;
    productId = attributes.ProductID;
    return true;
}

std::uint16_t Win32HidDevices::GetOutputReportLength(DeviceHandle query) {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(AsHandle(query), &preparsed)) return 0;
    HIDP_CAPS caps{};
    HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    return caps.OutputReportByteLength;
}

void Win32HidDevices::RegisterForNotifications() {
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = hidGuid_;
    RegisterDeviceNotificationA(mainWindow_(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

bool Win32HidDevices::WriteReport(DeviceHandle write, const std::uint8_t* report, std::size_t length) {
    DWORD written = 0;
    return WriteFile(AsHandle(write), report, static_cast<DWORD>(length), &written, nullptr) != FALSE;
}

void Win32HidDevices::Close(DeviceHandle h) { CloseHandle(AsHandle(h)); }

}  // namespace torvik::win32
