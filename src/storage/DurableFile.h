// Writing files so that what was written survives a reset of the PC right after.
#pragma once

#include <cstdio>
#include <string>

namespace torvik {

// Appends bytes to the named file (created if missing) and hands them to the disk
// before returning. False when the file cannot be opened.
bool AppendDurably(const char* path, const std::string& bytes);

bool FileExists(const char* path);

// Flushes a stdio stream through to the disk.
void FlushToDisk(std::FILE* file);

}  // namespace torvik
