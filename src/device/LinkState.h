// How the board is reached. Transitions (writers in brackets):
//
//   Searching --HID match [FindHidDevice]--> HID linked
//   Searching --COM port answers the probe [SearchDevice]--> Serial linked
//   Serial linked --serial write fails [SendCommand/SendFrame]--> Searching
//   HID linked --report write fails [WriteHidReport]--> HID pending (hidFound false)
//   HID pending --next SendCommand rediscovers--> HID linked
//   HID pending --next SendCommand finds nothing--> HID searching (connected false)
//   HID searching --HID match--> HID linked; COM ports are never probed again once overHid.
#pragma once

#include <cstdint>

namespace torvik {

struct LinkState {
    bool connected = false;
    bool overHid = false;
    bool hidFound = false;
    std::int32_t versionClass = 0;  // firmware version code / 100; above 8: display and buzzer
    std::uint16_t serialVersionCode = 0;  // version code of the serial board that answered the last probe
    bool searchedOnce = false;
};

}  // namespace torvik
