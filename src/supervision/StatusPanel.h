// The status panel above the on-screen log: when the program started, how long it
// has run, and the countdown to the scheduled restart.
#pragma once

#include <cstdint>
#include <string>

#include "app/AppState.h"

namespace torvik {

// Seconds left until the scheduled restart, computed without overflow for any
// number of days.
std::int64_t RemainingSeconds(std::int32_t restartDays, std::int32_t uptimeSeconds);

std::string BuildStatusPanel(const TickState& tick, std::int32_t restartDays, std::int64_t remainingSeconds,
                             LanguageIndex language);

}  // namespace torvik
