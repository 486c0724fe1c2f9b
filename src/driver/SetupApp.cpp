#include "driver/SetupApp.h"

#include "driver/Globals.h"
#include "driver/SetupProgressDialog.h"
#include "framework/AppMessageBox.h"
#include "platform/WinConst.h"
#include "prereq/InstallerRuntime.h"
#include "resources/resource.h"

namespace kestavo {

bool SetupApp::InitInstance() {
    if (!m_ports.startup.StartSockets(kWinsock11)) {
        AppMessageBox(m_ports, m_ports.dialogs.LoadStringResource(IDS_SOCKETS_INIT_FAILED));
        m_nExitCode = kExitInstallFailure;
        return false;
    }
    m_ports.startup.EnableThreeDimensionalControls();
    m_ports.startup.InitCommonControls();
    g_hInstallerWnd = kNullHandle;

    // Both may start a program and wait for it; they must be done before
    // the dialog reads the tag file, which the language switcher may change.
    EnsureInstallerRuntime(m_ports);
    m_language.SelectLanguage();

    SetupProgressDialog dialog(m_ports);
    const int result = dialog.DoModal();
    if (dialog.m_nExitCode >= 0) {
        m_nExitCode = dialog.m_nExitCode;
    } else if (result == IDCANCEL) {
        m_nExitCode = kExitUserCancelled;
    }
    return false;
}

}  // namespace kestavo
