#include "FakeSerialDevice.h"

#include <algorithm>
#include <cstring>

namespace torvik::testing {

FakeSerialLine* FakeSerialDevice::LineOf(DeviceHandle h) {
    auto it = open_.find(h);
    return it == open_.end() ? nullptr : &ports_[it->second];
}

DeviceHandle FakeSerialDevice::Open(const std::string& name) {
    calls_.push_back("open " + name);
    auto port = ports_.find(name);
    if (port == ports_.end() || !port->second.exists) return kInvalidDeviceHandle;
    for (const auto& [handle, openName] : open_)
        if (openName == name) return kInvalidDeviceHandle;  // opened exclusively
    const DeviceHandle h = nextHandle_++;
    open_[h] = name;
    return h;
}

bool FakeSerialDevice::ApplyLineSettings(DeviceHandle h, const SerialLineSettings& settings) {
    calls_.push_back("settings");
    FakeSerialLine* line = LineOf(h);
    if (!line || line->refuseSettings) return false;
    line->settings = settings;
    return true;
}

void FakeSerialDevice::SetImmediateReads(DeviceHandle h) {
    calls_.push_back("timeouts");
    if (FakeSerialLine* line = LineOf(h)) line->immediateReads = true;
}

void FakeSerialDevice::SetQueueSizes(DeviceHandle h, std::uint32_t inQueue, std::uint32_t outQueue) {
    calls_.push_back("queues");
    if (FakeSerialLine* line = LineOf(h)) {
        line->inQueue = inQueue;
        line->outQueue = outQueue;
    }
}

bool FakeSerialDevice::ClearError(DeviceHandle h, std::uint32_t& bytesWaiting) {
    calls_.push_back("clear-error");
    FakeSerialLine* line = LineOf(h);
    if (!line || line->failClearError) return false;
    if (line->refill) line->refill(line->incoming);
    bytesWaiting = static_cast<std::uint32_t>(line->incoming.size());
    return true;
}

bool FakeSerialDevice::Read(DeviceHandle h, void* buffer, std::uint32_t count, std::uint32_t& bytesRead) {
    calls_.push_back("read");
    bytesRead = 0;
    FakeSerialLine* line = LineOf(h);
    if (!line) return false;
    if (line->refill) line->refill(line->incoming);
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (bytesRead < count && !line->incoming.empty()) {
        out[bytesRead++] = line->incoming.front();
        line->incoming.pop_front();
    }
    return true;
}

bool FakeSerialDevice::Write(DeviceHandle h, const void* buffer, std::uint32_t count) {
    calls_.push_back("write");
    FakeSerialLine* line = LineOf(h);
    if (!line || line->failWrite) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    line->written.insert(line->written.end(), bytes, bytes + count);
    if (line->onWrite) line->onWrite(bytes, count);
    return true;
}

bool FakeSerialDevice::Close(DeviceHandle h) {
    calls_.push_back("close");
    FakeSerialLine* line = LineOf(h);
    if (!line || line->failClose) return false;
    open_.erase(h);
    return true;
}

std::vector<std::string> FakeSerialDevice::OpenPorts() const {
    std::vector<std::string> names;
    for (const auto& [handle, name] : open_) names.push_back(name);
    return names;
}

}  // namespace torvik::testing
