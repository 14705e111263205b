#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "platform/FileReplace.h"

namespace torvik {

bool ReplaceFileAtomically(const char* from, const char* to) {
    if (std::rename(from, to) != 0) return false;
    // The rename itself lives in the folder: flush it too.
    const int folder = open(".", O_RDONLY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

}  // namespace torvik
