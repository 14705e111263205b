// Replacing a file by another in one step, so that a reader (or a PC that loses
// power) sees either the old file or the new one, never a part of either.
#pragma once

namespace torvik {

// Moves `from` over `to`, replacing it, and has the change written through to the
// disk before returning. False when the move failed; `to` is then as it was.
bool ReplaceFileAtomically(const char* from, const char* to);

}  // namespace torvik
