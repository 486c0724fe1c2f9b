#include "driver/SetupProgressDialog.h"

#include <memory>

#include "core/DecisionReport.h"
#include "core/Globals.h"
#include "core/TagKeywords.h"
#include "platform/WinConst.h"
#include "prereq/InstallerRuntime.h"
#include "presentation/CSlashTH.h"
#include "resources/resource.h"

namespace kestavo {

SetupProgressDialog::SetupProgressDialog(Ports& ports)
    : Dialog(ports.dialogs, IDD_SETUP_PROGRESS),
      m_ports(ports),
      m_message(ports.gdi, ports.desktop),
      m_hIcon(ports.dialogs.LoadIconResource(IDR_MAINFRAME)) {}

void SetupProgressDialog::DoDataExchange() {
    m_progress.Attach(Window(), IDC_PROGRESS_BAR);
    m_message.Attach(Window(), IDC_PROGRESS_MESSAGE);
}

bool SetupProgressDialog::OnInitDialog() {
    const std::string runtimePath = m_ports.system.SystemDirectory() + "\\msi.dll";
    const TagFile tag(m_ports.system, m_ports.profile);

    if (tag.ReadInt("BUILD", "SILENT", TagFile::kValueCapacity) == 1) {
        Report(m_ports, Decision::SilentRun);
        m_nSilent = kSetBit;
    }
    if (!IsInstallerRuntimeCurrent(m_ports, runtimePath)) {
        m_nUpdateRuntime = kSetBit;
    }
    if (!tag.Exists()) {
        // Without a tag file there is nothing to show: install at once.
        Report(m_ports, Decision::NoTagFile);
        RunInstallation();
        EndDialog(IDOK);
        return false;
    }

    m_bHidden = tag.ReadInt("SETUP", "CODEPAGE", TagFile::kValueCapacity) != 0;
    if (m_bHidden) {
        Report(m_ports, Decision::DialogHidden);
    } else {
        ReadDialogTexts(tag);
    }
    if (m_nSilent != kSetBit) {
        UiThread::Begin(m_ports.threads, "CSlashTH", std::make_unique<CSlashTH>(m_ports));
    }
    InitFolders();

    Window().Send(WM_SETICON, ICON_BIG, static_cast<std::intptr_t>(m_hIcon));
    Window().Send(WM_SETICON, ICON_SMALL, static_cast<std::intptr_t>(m_hIcon));
    m_progress.SetPos(0);
    m_progress.SetRange(0, kBarRange);
    PlaceWindow();
    RunFileSupport(keywords::kBeforeInstallation);

    if (m_nSilent == kSetBit) {
        RunInstallation();
        return true;
    }
    if (m_bHidden) {
        Window().Move(0, 0, 0, 0, true);
        Window().SetTimer(kHiddenTimer, kHiddenTimerPeriodMs);
    } else {
        Window().SetTimer(kBarTimer, kBarTimerPeriodMs);
    }
    return true;
}

// A non-zero code page keeps the resource's own texts, so these are read
// only without one. Empty values are set too: the vendor asked for them.
void SetupProgressDialog::ReadDialogTexts(const TagFile& tag) {
    Window().SetItemText(IDC_PROGRESS_MESSAGE, tag.Read("SETUP", "0", TagFile::kValueCapacity));
    Window().SetItemText(IDCANCEL, tag.Read("SETUP", "1", TagFile::kValueCapacity));
}

// Bottom-right corner, 40 pixels above the screen's bottom edge, clear of
// the task bar; a silent setup shrinks to nothing.
void SetupProgressDialog::PlaceWindow() {
    const Rect window = Window().WindowRect();
    const int screenWidth = m_ports.desktop.SystemMetric(SM_CXSCREEN);
    const int screenHeight = m_ports.desktop.SystemMetric(SM_CYSCREEN);
    if (m_nSilent == kSetBit) {
        Window().Move(0, 0, 0, 0, true);
        return;
    }
    Window().Move(screenWidth - window.Width(), screenHeight - window.Height() - 40, window.Width(),
                  window.Height(), true);
}

void SetupProgressDialog::OnTimer(int timerId) {
    if (timerId == kBarTimer) {
        OnBarTimer();
    } else if (timerId == kHiddenTimer) {
        OnHiddenTimer();
    }
}

// The bar fills in two seconds at the least; the installation starts on the
// first tick at which it is full and the splash has ended.
void SetupProgressDialog::OnBarTimer() {
    if (m_progress.GetPos() != kBarRange) {
        m_progress.StepIt();
    }
    if (g_nSplashDone.load() == kSetBit && m_progress.GetPos() == kBarRange) {
        Window().KillTimer(kBarTimer);
        RunInstallation();
    }
}

void SetupProgressDialog::OnHiddenTimer() {
    if (g_nSplashDone.load() == kSetBit) {
        Window().KillTimer(kHiddenTimer);
        RunInstallation();
    }
}

void SetupProgressDialog::OnPaint(IDeviceContext& dc) {
    dc.FillRectWithSysColor(Window().ItemRect(IDC_PROGRESS_FRAME), COLOR_WINDOW);
    m_message.SetLabelBackColor(Rgb(255, 255, 255))
        .SetLabelTextColor(0)
        .SetLabelFaceName("Tahoma")
        .SetLabelBold(true);
    if (Window().IsIconic()) {
        Window().Send(WM_ICONERASEBKGND, dc.Get(), 0);
        const Rect client = Window().ClientRect();
        const int x = (client.Width() - m_ports.desktop.SystemMetric(SM_CXICON) + 1) / 2;
        const int y = (client.Height() - m_ports.desktop.SystemMetric(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    }
}

}  // namespace kestavo
