#include "supervision/StatusPanel.h"

#include <cinttypes>
#include <cstdio>

namespace torvik {

std::int64_t RemainingSeconds(std::int32_t restartDays, std::int32_t uptimeSeconds) {
    return static_cast<std::int64_t>(restartDays) * 86400 - uptimeSeconds;
}

std::string BuildStatusPanel(const TickState& tick, std::int32_t restartDays, std::int64_t remainingSeconds,
                             LanguageIndex language) {
    char line[256];
    std::string panel;
    const int* b = tick.bootTime;
    std::snprintf(line, sizeof line, "%s : %4d-%02d-%02d %02d:%02d:%02d\r\n", TextOf(Text::DateOfLastBoot, language),
                  b[0], b[1], b[2], b[3], b[4], b[5]);
    panel += line;
    const std::int32_t up = tick.uptimeSeconds;
    std::snprintf(line, sizeof line, "%s : %02d H %02d M %02d S\r\n", TextOf(Text::TotalRunningTime, language),
                  up / 3600, (up / 60) % 60, up % 60);
    panel += line;
    if (restartDays > 0) {
        const std::int64_t r = remainingSeconds;
        std::snprintf(line, sizeof line, "%s : %02d days , %s : %02" PRId64 " H %02" PRId64 " M %02" PRId64 " S\r\n",
                      TextOf(Text::ScheduledRestart, language), restartDays, TextOf(Text::RemainingTime, language),
                      r / 3600, (r / 60) % 60, r % 60);
        panel += line;
    }
    panel += TextOf(Text::RunLogHeading, language);
    return panel;
}

}  // namespace torvik
