// Titles of the visible top-level windows, as the program-window probe compares them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/WindowList.h"

namespace torvik {

constexpr std::size_t kTitleLimit = 127;          // bytes of a title that count
constexpr std::size_t kNotRunningNameLimit = 237;  // bytes of the name in the not-running line

// Every visible top-level window's title, in the system's order, each cut to its
// first 127 bytes at a character boundary. There is no limit on the number of
// windows; a window that closed before its title could be read is left out.
std::vector<std::string> VisibleWindowTitles(WindowList& windows);

}  // namespace torvik
