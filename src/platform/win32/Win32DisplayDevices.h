#pragma once

#include <windows.h>
#include <setupapi.h>

#include "platform/DisplayDevices.h"

namespace torvik::win32 {

class Win32DisplayDevices : public DisplayDevices {
public:
    bool Open() override;
    bool Exists(int index) override;
    bool Description(int index, std::string& description) override;
    void Close() override;

private:
    HDEVINFO set_ = INVALID_HANDLE_VALUE;
};

}  // namespace torvik::win32
