// Display adapters in memory.
#pragma once

#include <string>
#include <vector>

#include "platform/DisplayDevices.h"

namespace torvik::testing {

class FakeDisplayDevices : public DisplayDevices {
public:
    struct Adapter {
        std::string description;
        bool readable = true;
    };
    std::vector<Adapter> adapters{{"Wine Adapter"}};
    bool failOpen = false;
    int opens = 0;

    bool Open() override {
        ++opens;
        open_ = !failOpen;
        return open_;
    }
    bool Exists(int index) override { return open_ && index >= 0 && index < static_cast<int>(adapters.size()); }
    bool Description(int index, std::string& description) override {
        if (!Exists(index) || !adapters[static_cast<size_t>(index)].readable) return false;
        description = adapters[static_cast<size_t>(index)].description;
        return true;
    }
    void Close() override { open_ = false; }

private:
    bool open_ = false;
};

}  // namespace torvik::testing
