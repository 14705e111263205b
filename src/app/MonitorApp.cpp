#include "app/MonitorApp.h"

namespace torvik {

bool CMonitorApp::InitInstance(Ports ports, DialogHost& host) {
    CMonitorDlg dialog(ports);
    host.RunModal(dialog);  // OK and Cancel end it alike
    return false;
}

}  // namespace torvik
