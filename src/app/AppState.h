// The state shared by the main window's handlers: one instance per process,
// owned by the main window object, so every test starts from a fresh one.
#pragma once

#include <cstdint>

#include "app/TextTable.h"
#include "device/LinkState.h"

namespace torvik {

struct Settings {
    std::int32_t timeoutSeconds = 0;
    std::int32_t restartDays = 0;
    std::uint8_t netFailCount = 0;
    LanguageIndex language = kChinese;  // until the settings file says otherwise
};

struct TickState {
    std::int32_t halfTickToggle = 0;
    std::int32_t uptimeSeconds = 0;
    std::int32_t cycleCounter = 0;
    int bootTime[6] = {0, 0, 0, 0, 0, 0};  // year, month, day, hour, minute, second
    bool bootTimeTaken = false;
};

struct AppState {
    Settings settings;
    TickState tick;
    LinkState link;
    std::uint8_t baselineAdapterCount = 0;
    bool paneExpanded = false;   // the side pane was opened by a help button
    bool pickingProgram = false; // from Add until a title is picked
};

}  // namespace torvik
