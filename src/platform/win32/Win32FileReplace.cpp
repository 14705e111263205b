#include <windows.h>

#include "platform/FileReplace.h"

namespace torvik {

bool ReplaceFileAtomically(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace torvik
