#include "storage/DurableFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace torvik {

void FlushToDisk(std::FILE* file) {
    std::fflush(file);
#ifdef _WIN32
    _commit(_fileno(file));
#else
    fsync(fileno(file));
#endif
}

bool FileExists(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

bool AppendDurably(const char* path, const std::string& bytes) {
    std::FILE* file = std::fopen(path, "ab");
    if (!file) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    FlushToDisk(file);
    std::fclose(file);
    return true;
}

}  // namespace torvik
