// Build-time constants of this edition of the program.
#pragma once

#include <cstdint>

namespace torvik::OemTable {

constexpr int kContactBlockFlag = 1;  // written to the settings file as logo_display
constexpr std::uint16_t kBoardVendorId = 0x2704;
constexpr std::uint16_t kBoardProductId = 0x2017;

}  // namespace torvik::OemTable
