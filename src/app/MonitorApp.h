// The application object: runs the main window modally; the process ends with it.
#pragma once

#include "app/MonitorDlg.h"

namespace torvik {

class CMonitorApp {
public:
    // Always false: the program has no message loop of its own after the window.
    bool InitInstance(Ports ports, DialogHost& host);
};

}  // namespace torvik
