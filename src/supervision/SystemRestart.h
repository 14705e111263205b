// Restarting the PC through the operating system (the scheduled restart).
#pragma once

#include "platform/Shutdown.h"

namespace torvik {

// Enables the shutdown privilege and asks for a forced reboot; a failure is shown
// in a message box ("OpenProcessToken Error!" or "Rebbot Error!").
void RebootSystem(Shutdown& shutdown);

}  // namespace torvik
