// config.inf: the settings file in the working directory. Entries "key=value;",
// read by first occurrence of "key=", written whole as eleven lines.
#pragma once

#include <functional>
#include <string>

#include "app/AppState.h"
#include "platform/DialogPort.h"

namespace torvik {

constexpr const char* kConfigFile = "config.inf";
extern const char kDefaultConfigText[];  // 177 bytes

// Creates config.inf with the default text when it is missing, then loads it.
void InitConfig(Settings& settings, DialogPort& dialog);
// Reads the settings into the fields and controls; a missing key leaves its field.
void LoadConfig(Settings& settings, DialogPort& dialog);
// Writes the file from the fields and controls and disables the Save button.
void SaveConfig(const Settings& settings, DialogPort& dialog);

// The eleven lines SaveConfig writes.
std::string ConfigText(const Settings& settings, DialogPort& dialog);
// The value of the first "key=" up to the next ';'; false when the key or the ';' is missing.
bool FindConfigValue(const std::string& text, const char* key, std::string& value);
// Decimal like the C library's atoi, but held in the 32-bit range instead of overflowing.
std::int32_t ConfigNumber(const std::string& value);

// Writes the text to a temporary file (the path with ".new" appended), has it reach the disk, then replaces the
// target with it in one step. `replace` is the last step (tests interrupt it).
using FileReplacer = std::function<bool(const char* from, const char* to)>;
bool WriteFileAtomically(const char* path, const std::string& text, const FileReplacer& replace);

}  // namespace torvik
