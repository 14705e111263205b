// Byte-counted GBK text helpers.
#pragma once

#include <cstddef>
#include <string>

namespace torvik {

// The longest prefix of `text` of at most `maxBytes` bytes that does not end in the
// middle of a two-byte character.
std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes);

}  // namespace torvik
