#include "driver/SetupApp.h"

#include "core/Globals.h"
#include "core/TagFile.h"
#include "driver/SetupProgressDialog.h"
#include "framework/AppMessageBox.h"
#include "platform/WinConst.h"
#include "prereq/InstallerRuntime.h"
#include "resources/resource.h"

namespace kestavo {

namespace {

const char kFolderNotNamed[] =
    "Setup cannot run from this folder: its name cannot be written in this system's "
    "character set. Copy the setup files to a folder with a plain name and start setup "
    "there.";

// Read through a path relative to the current folder, which Windows
// resolves itself, whatever the folder's name.
bool TagFileAsksForSilence(IProfilePort& profile) {
    const std::string path = std::string(".\\") + TagFile::kFileName;
    return TagFile::AtoI(profile.ReadString(path, "BUILD", "SILENT", TagFile::kValueCapacity)) == 1;
}

}  // namespace

bool SetupApp::InitInstance() {
    if (!m_ports.startup.StartSockets(kWinsock11)) {
        AppMessageBox(m_ports, m_ports.dialogs.LoadStringResource(IDS_SOCKETS_INIT_FAILED));
        m_nExitCode = kExitInstallFailure;
        return false;
    }
    m_ports.startup.EnableThreeDimensionalControls();
    m_ports.startup.InitCommonControls();
    g_hInstallerWnd = kNullHandle;

    // Every file of the setup is named from the folder; a folder without a
    // name would turn them into files of the drive's root.
    if (m_ports.system.CurrentDirectory().empty()) {
        if (!TagFileAsksForSilence(m_ports.profile)) {
            AppMessageBox(m_ports, kFolderNotNamed);
        }
        m_nExitCode = kExitInstallFailure;
        return false;
    }

    // Both may start a program and wait for it; they must be done before
    // the dialog reads the tag file, which the language switcher may change.
    EnsureInstallerRuntime(m_ports);
    m_language.SelectLanguage();

    SetupProgressDialog dialog(m_ports);
    const int result = dialog.DoModal();
    if (dialog.m_nExitCode) {
        m_nExitCode = *dialog.m_nExitCode;
    } else if (result == IDCANCEL) {
        m_nExitCode = kExitUserCancelled;
    } else if (result == kDialogFailed) {
        // The dialog never came up, so nothing was installed.
        m_nExitCode = kExitInstallFailure;
    }
    return false;
}

}  // namespace kestavo
