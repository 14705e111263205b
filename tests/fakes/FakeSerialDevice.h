// Serial ports in memory: named ports with scripted failures, a record of every
// call, and bytes the other end sends. A board model can sit behind a port.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

namespace torvik::testing {

struct FakeSerialLine {
    bool exists = true;
    bool refuseSettings = false;   // the driver rejects the line settings
    bool failClose = false;        // CloseHandle fails while set
    bool failClearError = false;
    bool failWrite = false;
    std::deque<std::uint8_t> incoming;   // bytes waiting to be read
    std::vector<std::uint8_t> written;   // everything the program wrote
    SerialLineSettings settings;         // the last accepted settings
    std::uint32_t inQueue = 0, outQueue = 0;
    bool immediateReads = false;
    // Called for every successful write, e.g. to let a board model answer.
    std::function<void(const std::uint8_t*, std::size_t)> onWrite;
    // Called before the waiting bytes are counted or read, to deliver late answers.
    std::function<void(std::deque<std::uint8_t>&)> refill;
};

class FakeSerialDevice : public SerialDevice {
public:
    FakeSerialLine& Port(const std::string& name) { return ports_[name]; }

    DeviceHandle Open(const std::string& name) override;
    bool ApplyLineSettings(DeviceHandle h, const SerialLineSettings& settings) override;
    void SetImmediateReads(DeviceHandle h) override;
    void SetQueueSizes(DeviceHandle h, std::uint32_t inQueue, std::uint32_t outQueue) override;
    bool ClearError(DeviceHandle h, std::uint32_t& bytesWaiting) override;
    bool Read(DeviceHandle h, void* buffer, std::uint32_t count, std::uint32_t& bytesRead) override;
    bool Write(DeviceHandle h, const void* buffer, std::uint32_t count) override;
    bool Close(DeviceHandle h) override;

    // Every call in order, e.g. "open COM3", "settings", "close 1".
    const std::vector<std::string>& calls() const { return calls_; }
    // Names of the ports whose handles are open now.
    std::vector<std::string> OpenPorts() const;

private:
    FakeSerialLine* LineOf(DeviceHandle h);

    std::map<std::string, FakeSerialLine> ports_;
    std::map<DeviceHandle, std::string> open_;
    DeviceHandle nextHandle_ = 1;
    std::vector<std::string> calls_;
};

}  // namespace torvik::testing
