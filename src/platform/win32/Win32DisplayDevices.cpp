#include "platform/win32/Win32DisplayDevices.h"

#include <devguid.h>

#include "platform/win32/Gbk.h"

namespace torvik::win32 {

bool Win32DisplayDevices::Open() {
    set_ = SetupDiGetClassDevsW(&GUID_DEVCLASS_DISPLAY, nullptr, nullptr, DIGCF_PRESENT);
    return set_ != INVALID_HANDLE_VALUE;
}

bool Win32DisplayDevices::Exists(int index) {
    if (set_ == INVALID_HANDLE_VALUE) return false;
    SP_DEVINFO_DATA record{};
    record.cbSize = sizeof record;
    return SetupDiEnumDeviceInfo(set_, static_cast<DWORD>(index), &record) != FALSE;
}

bool Win32DisplayDevices::Description(int index, std::string& description) {
    SP_DEVINFO_DATA record{};
    record.cbSize = sizeof record;
    if (set_ == INVALID_HANDLE_VALUE || !SetupDiEnumDeviceInfo(set_, static_cast<DWORD>(index), &record)) return false;
    wchar_t buffer[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(set_, &record, SPDRP_DEVICEDESC, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer - sizeof(wchar_t), nullptr))
        return false;
    description = GbkFromWide(buffer);
    return true;
}

void Win32DisplayDevices::Close() {
    if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
    set_ = INVALID_HANDLE_VALUE;
}

}  // namespace torvik::win32
