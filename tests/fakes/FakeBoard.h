// A simulated board plugged into a fake serial port or a fake HID interface; it
// answers on the fake clock's virtual time.
#pragma once

#include "FakeClock.h"
#include "FakeHidDevices.h"
#include "FakeSerialDevice.h"
#include "boardsim/BoardModel.h"

namespace torvik::testing {

struct FakeBoard {
    boardsim::BoardModel model;
    FakeClock& clock;

    FakeBoard(FakeClock& c, boardsim::BoardOptions options = {}) : model(options, c.ms), clock(c) {}

    void OnSerial(FakeSerialLine& line) {
        line.onWrite = [this](const std::uint8_t* bytes, std::size_t n) { model.ReceiveSerial(bytes, n, clock.ms); };
        line.refill = [this](std::deque<std::uint8_t>& incoming) {
            for (std::uint8_t b : model.TakeReply(clock.ms, 64)) incoming.push_back(b);
        };
    }
    void OnHid(FakeHidInterface& hid) {
        hid.onReport = [this](const std::uint8_t* report, std::size_t n) {
            model.ReceiveHidReport(report, n, clock.ms);
        };
    }
    std::size_t Count(boardsim::RecordKind kind) const { return model.Count(kind); }
};

}  // namespace torvik::testing
