#include "storage/ConfigFile.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "device/OemTable.h"
#include "platform/FileReplace.h"
#include "storage/DurableFile.h"
#include "ui/ControlIds.h"

namespace torvik {

const char kDefaultConfigText[] =
    "timeout=180;\r\nTimedRestartDays=7;\r\nAppName=;\r\nVideoCardMonitor=0;\r\ndisplay_time=1;\r\n"
    "display_card_num=1;\r\nsound_switch=1;\r\nnet_notlink_times=0;\r\nlogo_display=1;\r\nlanguage=0;\r\n\t\t\t";

namespace {

constexpr const char* kExampleHost = "www.example.com";

// The check boxes kept in the file, in the order the file lists them.
struct CheckBoxKey {
    const char* key;
    int id;
};
constexpr CheckBoxKey kCheckBoxKeys[] = {
    {"VideoCardMonitor", ctl::kVideoCardCheck},
    {"display_time", ctl::kShowTimeCheck},
    {"display_card_num", ctl::kShowCardsCheck},
    {"sound_switch", ctl::kSoundCheck},
};

}  // namespace

bool FindConfigValue(const std::string& text, const char* key, std::string& value) {
    const std::string pattern = std::string(key) + "=";
    const std::size_t at = text.find(pattern);
    if (at == std::string::npos) return false;
    const std::size_t start = at + pattern.size();
    // A value without its ';' is cut off: taking part of it could watch the wrong title.
    const std::size_t end = text.find(';', start);
    if (end == std::string::npos) return false;
    value = text.substr(start, end - start);
    return true;
}

std::int32_t ConfigNumber(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && std::isspace(static_cast<unsigned char>(value[i]))) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
    long long magnitude = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i) {
        magnitude = magnitude * 10 + (value[i] - '0');
        if (magnitude > 2147483648LL) magnitude = 2147483648LL;  // saturate, then clamp below
    }
    const long long n = negative ? -magnitude : magnitude;
    if (n > 2147483647LL) return 2147483647;
    return static_cast<std::int32_t>(n);
}

void InitConfig(Settings& settings, DialogPort& dialog) {
    if (!FileExists(kConfigFile)) {
        const std::string text(kDefaultConfigText);
        if (!WriteFileAtomically(kConfigFile, text, ReplaceFileAtomically)) return;
    }
    LoadConfig(settings, dialog);
}

void LoadConfig(Settings& settings, DialogPort& dialog) {
    std::ifstream in(kConfigFile, std::ios::binary);
    if (!in) return;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();

    std::string value;
    if (FindConfigValue(text, "timeout", value)) {
        settings.timeoutSeconds = ConfigNumber(value);
        dialog.SetSliderPos(ctl::kTimeoutSlider, settings.timeoutSeconds);
        dialog.SetItemText(ctl::kTimeoutLabel, value);
    }
    if (FindConfigValue(text, "TimedRestartDays", value)) {
        settings.restartDays = ConfigNumber(value);
        dialog.SetSliderPos(ctl::kDaysSlider, settings.restartDays);
        dialog.SetItemText(ctl::kDaysLabel, value);
    }
    if (FindConfigValue(text, "HttpName", value)) dialog.SetItemText(ctl::kWebsiteEdit, value);
    if (FindConfigValue(text, "AppName", value)) dialog.SetItemText(ctl::kProgramEdit, value);
    for (const CheckBoxKey& box : kCheckBoxKeys)
        if (FindConfigValue(text, box.key, value)) dialog.SetCheck(box.id, ConfigNumber(value) != 0 ? kCheckedState : 0);
    if (FindConfigValue(text, "net_notlink_times", value))
        settings.netFailCount = static_cast<std::uint8_t>(ConfigNumber(value) & 0xFF);
    if (FindConfigValue(text, "language", value))
        settings.language = static_cast<LanguageIndex>(ConfigNumber(value) & 1);
}

std::string ConfigText(const Settings& settings, DialogPort& dialog) {
    std::string text;
    text += "timeout=" + std::to_string(settings.timeoutSeconds) +
            ";//Timeout reset time can only be 10 integers, range 10-1270 seconds";
    text += "\r\nTimedRestartDays=" + std::to_string(settings.restartDays) + ";//Auto restart days";
    text += "\r\nHttpName=" + dialog.GetItemText(ctl::kWebsiteEdit) +
            ";//The linked domain name is not filled to indicate that it is not monitored,for example:" +
            kExampleHost;
    text += "\r\nAppName=" + dialog.GetItemText(ctl::kProgramEdit) +
            ";//Fill in the window title here, No fill means no monitoring";
    for (const CheckBoxKey& box : kCheckBoxKeys)
        text += std::string("\r\n") + box.key + (IsChecked(dialog, box.id) ? "=1;" : "=0;");
    text += "\r\nnet_notlink_times=" + std::to_string(static_cast<unsigned>(settings.netFailCount)) + ";";
    text += "\r\nlogo_display=" + std::to_string(static_cast<unsigned>(OemTable::kContactBlockFlag & 0xFF)) + ";";
    text += "\r\nlanguage=" + std::to_string(static_cast<unsigned>(settings.language)) + ";";
    return text;
}

void SaveConfig(const Settings& settings, DialogPort& dialog) {
    WriteFileAtomically(kConfigFile, ConfigText(settings, dialog), ReplaceFileAtomically);
    dialog.EnableItem(ctl::kSave, false);
}

bool WriteFileAtomically(const char* path, const std::string& text, const FileReplacer& replace) {
    const std::string temp = std::string(path) + ".new";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    FlushToDisk(file);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temp.c_str());
        return false;
    }
    if (!replace(temp.c_str(), path)) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace torvik
