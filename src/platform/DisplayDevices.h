// The present devices of the display adapter setup class.
#pragma once

#include <string>

namespace torvik {

class DisplayDevices {
public:
    virtual ~DisplayDevices() = default;
    // Takes a snapshot of the present display adapters; false when none could be taken.
    virtual bool Open() = 0;
    // True while there is a device at this index.
    virtual bool Exists(int index) = 0;
    // The device's description (GBK); false when it cannot be read.
    virtual bool Description(int index, std::string& description) = 0;
    virtual void Close() = 0;
};

}  // namespace torvik
