// HID interfaces in memory, in enumeration order, each with its own failures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/HidDevices.h"

namespace torvik::testing {

struct FakeHidInterface {
    std::string path;
    std::uint16_t vendorId = 0, productId = 0;
    std::uint16_t outputReportLength = 9;
    bool present = true;
    bool failOpenQuery = false, failOpenWrite = false, failAttributes = false, failWrite = false;
    std::vector<std::vector<std::uint8_t>> reports;  // every report written
    std::function<void(const std::uint8_t*, std::size_t)> onReport;
};

class FakeHidDevices : public HidDevices {
public:
    // Adds an interface at the end of the enumeration order.
    FakeHidInterface& Add(std::uint16_t vendorId, std::uint16_t productId);
    FakeHidInterface& Board();  // one with the board's IDs
    FakeHidInterface& at(std::size_t i) { return interfaces_[i]; }

    void BeginEnumeration() override { ++enumerations; }
    bool InterfacePath(int index, std::string& path) override;
    void EndEnumeration() override {}
    DeviceHandle OpenQuery(const std::string& path) override;
    DeviceHandle OpenWrite(const std::string& path) override;
    DeviceHandle OpenRead(const std::string& path) override;
    bool GetAttributes(DeviceHandle query, std::uint16_t& vendorId, std::uint16_t& productId) override;
    std::uint16_t GetOutputReportLength(DeviceHandle query) override;
    void RegisterForNotifications() override { ++registrations; }
    bool WriteReport(DeviceHandle write, const std::uint8_t* report, std::size_t length) override;
    void Close(DeviceHandle h) override;

    int enumerations = 0;
    int registrations = 0;
    std::vector<std::string> opened;  // "query PATH", "write PATH", "read PATH", in order
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }

private:
    FakeHidInterface* Present(const std::string& path);
    DeviceHandle NewHandle(const std::string& path);

    std::vector<FakeHidInterface> interfaces_;
    std::vector<std::pair<DeviceHandle, std::string>> handles_;
    DeviceHandle next_ = 100;
};

}  // namespace torvik::testing
