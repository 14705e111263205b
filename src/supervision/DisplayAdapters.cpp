#include "supervision/DisplayAdapters.h"

namespace torvik {

int CountDisplayAdapters(DisplayDevices& devices) {
    devices.Open();
    int count = 0;
    while (devices.Exists(count)) ++count;
    devices.Close();
    return count;
}

std::vector<std::string> DisplayAdapterListEntries(DisplayDevices& devices, std::size_t maxEntryBytes) {
    std::vector<std::string> entries{"GetVideoCardList...\r\n"};
    devices.Open();
    for (int index = 0; devices.Exists(index); ++index) {
        std::string description;
        if (!devices.Description(index, description)) description.clear();  // never another device's text
        const std::string line = std::to_string(index + 1) + " : " + description + "\r\n";
        if (entries.back().size() + line.size() > maxEntryBytes) entries.emplace_back();
        entries.back() += line;
    }
    devices.Close();
    return entries;
}

}  // namespace torvik
