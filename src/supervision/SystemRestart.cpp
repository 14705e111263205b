#include "supervision/SystemRestart.h"

namespace torvik {

void RebootSystem(Shutdown& shutdown) {
    if (!shutdown.OpenProcessToken()) {
        shutdown.MessageBox("OpenProcessToken Error!");
        return;
    }
    const bool enabled = shutdown.EnableShutdownPrivilege();
    shutdown.CloseProcessToken();
    if (!enabled) {
        shutdown.MessageBox("Rebbot Error!");
        return;
    }
    shutdown.RequestForcedReboot();
}

}  // namespace torvik
