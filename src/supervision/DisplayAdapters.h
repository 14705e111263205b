// Counting and listing the present display adapters.
#pragma once

#include <string>
#include <vector>

#include "platform/DisplayDevices.h"

namespace torvik {

int CountDisplayAdapters(DisplayDevices& devices);

// The adapter list as run-log entries: "GetVideoCardList..." and one line
// "N : description" per adapter. A list longer than `maxEntryBytes` goes on in
// further entries, so no adapter is left out.
std::vector<std::string> DisplayAdapterListEntries(DisplayDevices& devices, std::size_t maxEntryBytes);

}  // namespace torvik
