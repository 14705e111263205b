#include "app/GbkText.h"

namespace torvik {

std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const auto lead = static_cast<unsigned char>(text[end]);
        // 0x81..0xFE starts a two-byte character; anything else is one byte.
        const std::size_t width = (lead >= 0x81 && lead <= 0xFE && end + 1 < text.size()) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace torvik
