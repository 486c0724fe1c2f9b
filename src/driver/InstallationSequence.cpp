// The installation work of the progress dialog: its folder table, the
// vendor's programs around the package, and the installation sequence.
#include <memory>
#include <optional>

#include "actions/AdvancedActions.h"
#include "actions/FolderMacros.h"
#include "actions/RegistryReader.h"
#include "core/DecisionReport.h"
#include "core/Globals.h"
#include "core/ProcessRunner.h"
#include "core/SetupFolder.h"
#include "core/TagKeywords.h"
#include "core/TagRecords.h"
#include "driver/SetupApp.h"
#include "driver/SetupProgressDialog.h"
#include "framework/WaitCursor.h"
#include "platform/WinConst.h"
#include "prereq/InstallerRuntime.h"
#include "presentation/CBillBoardTH.h"
#include "resources/resource.h"

namespace kestavo {

namespace {

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

}  // namespace

bool SetupProgressDialog::InitFolders() {
    ISystemPort& system = m_ports.system;
    m_strWindowsDir = system.WindowsDirectory();
    m_strWindowsDisk = m_strWindowsDir.substr(0, 2);
    m_strSystemDir = system.SystemDirectory();
    m_strProgramFilesDir =
        ReadMachineRegistryString(m_ports.registry, kCurrentVersionKey, "ProgramFilesDir");
    if (m_strProgramFilesDir.empty()) {
        m_strProgramFilesDir = system.EnvironmentVariable("PROGRAMFILES");
    }
    m_strCommonFilesDir =
        ReadMachineRegistryString(m_ports.registry, kCurrentVersionKey, "CommonFilesDir");

    // Formed before the shell folders, so only the folders above can be
    // named in it.
    const TagFile dataTag(system, m_ports.profile, TagFile::kDataFileName);
    m_strInstallDir =
        ExpandFolderMacros(*this, system, dataTag.Read("APPINFO", "5", TagFile::kListCapacity));

    m_strFavoritesDir = system.SpecialFolderPath(CSIDL_FAVORITES);
    m_strDocumentsDir = system.SpecialFolderPath(CSIDL_COMMON_DOCUMENTS);
    m_strMyPicturesDir = system.SpecialFolderPath(CSIDL_MYPICTURES);
    m_strMyMusicDir = system.SpecialFolderPath(CSIDL_MYMUSIC);
    m_strSendToDir = system.SpecialFolderPath(CSIDL_SENDTO);
    m_strFontsDir = system.SpecialFolderPath(CSIDL_FONTS);
    return true;
}

// A program that cannot be started is passed over; the point names are
// compared exactly, so "before installation" never runs. Only a record with
// a point can run. A program path its buffer cut would name another
// program, so one that fills its buffer, which may have been cut, is never
// started.
void SetupProgressDialog::RunFileSupport(const std::string& point) {
    const TagFile tag(m_ports.system, m_ports.profile);
    const int total = tag.ReadCount("FILESUPPORT");
    TagRecords records(tag, "FILESUPPORT", 'B', 'B');
    for (std::optional<int> i = records.Next(0, total); i; i = records.Next(*i + 1, total)) {
        const std::string at =
            tag.Read("FILESUPPORT", TagFile::ListKey('B', *i), TagFile::kListCapacity);
        Report(m_ports,
               at == point ? Decision::FileSupportAtPoint : Decision::FileSupportAtOtherPoint, &at,
               *i);
        if (at == point) {
            const std::string program =
                tag.Read("FILESUPPORT", TagFile::ListKey('A', *i), TagFile::kListCapacity);
            if (TagFile::FillsBuffer(program, TagFile::kListCapacity)) {
                Report(m_ports, Decision::FileSupportPathCut, &program, *i);
            } else {
                RunProgramAndWait(m_ports.processes, program, "");
            }
            records.Forget();
        }
    }
}

// Any non-zero count starts the slideshow, a negative one too.
bool SetupProgressDialog::StartBillboards() {
    const TagFile tag(m_ports.system, m_ports.profile);
    if (tag.ReadCount("BILLBOARDSKV") == 0) {
        return false;
    }
    UiThread::Begin(m_ports.threads, "CBillBoardTH", std::make_unique<CBillBoardTH>(m_ports));
    return true;
}

// Only the extended-style bits change: the window becomes topmost as far as
// the system lets those bits alone do it.
void SetupProgressDialog::ShowBackground() {
    const TagFile tag(m_ports.system, m_ports.profile);
    if (tag.ReadInt("BACKGROUND", "0", TagFile::kValueCapacity) != 1) {
        return;
    }
    m_pBackground = std::make_unique<CMainFrame>(m_ports);
    IFrameWindow& frame = m_pBackground->Window();
    frame.RemoveStyle(WS_CAPTION);
    frame.AddExStyle(WS_EX_APPWINDOW | WS_EX_TOPMOST);
    frame.Show(SW_SHOWMAXIMIZED);
    frame.RemoveMenu();
    frame.SetTitle(KV_PRODUCT_TITLE);
    frame.Update();
    m_nBackgroundShown = kSetBit;
}

void SetupProgressDialog::RunInstallation() {
    Window().Show(SW_HIDE);
    const std::string package = SetupFolderWithSeparator(m_ports.system) + "_data.msi";
    const WaitCursor busy(m_ports.desktop);

    if (m_nUpdateRuntime == kSetBit) {
        const std::string redistributable = RuntimeRedistributablePath(m_ports);
        Report(m_ports, Decision::RedistributableAgain, &redistributable);
        RunProgramAndWait(m_ports.processes, redistributable, "");
    }
    if (!RunAdvancedActions(*this, m_ports, ActionPass::First)) {
        EndWithCancel();
        m_nExitCode = SetupApp::kExitInstallFailure;
        return;
    }

    const std::string installer =
        WithTrailingSeparator(m_ports.system, m_ports.system.SystemDirectory()) + "msiexec.exe";
    const std::string options = m_nSilent == kSetBit ? " /qn /I \"" : " /I \"";
    const std::string commandLine = installer + options + package + "\"";

    StartBillboards();
    if (m_nSilent != kSetBit) {
        ShowBackground();
    }
    const auto installed = RunCommandAndWait(installer, commandLine);
    m_nExitCode =
        installed ? static_cast<std::uint32_t>(*installed) : SetupApp::kExitInstallFailure;

    RunFileSupport(keywords::kAfterInstallation);
    // A stop choice after the package keeps the installer's own code: the
    // package is in place, and a restart it asked for (3010) must not be
    // lost to a failure code.
    if (m_nRunAfterComplete == kSetBit) {
        Report(m_ports, Decision::PostCompletionPass);
        if (!RunAdvancedActions(*this, m_ports, ActionPass::PostCompletion)) {
            EndWithCancel();
            return;
        }
    }
    EndDialog(IDOK);
}

// The program is named explicitly as well as in the command line: Windows
// would otherwise try "C:\Program.exe" for a system folder with a blank.
// The command line is formed whole, however deep the setup folder lies;
// only what CreateProcess cannot take is refused, never a cut package path.
std::optional<unsigned long> SetupProgressDialog::RunCommandAndWait(
    const std::string& applicationName, const std::string& commandLine) {
    if (!FitsCreateProcess(applicationName, commandLine)) {
        Report(m_ports, Decision::InstallerCommandTooLong, &commandLine);
        return std::nullopt;
    }
    IProcessPort& processes = m_ports.processes;
    const ProcessInfo child = processes.StartProcess(applicationName, commandLine);
    if (child.process == kNullHandle) {
        return std::nullopt;
    }
    if (m_nBackgroundShown == kSetBit) {
        // Give the installer time to show its window, then look once.
        processes.Sleep(500);
        g_hInstallerWnd = FindProcessWindow(m_ports.windows.EnumTopLevelWindows(), child.processId);
    }
    return WaitAndClose(processes, child);
}

}  // namespace kestavo
