#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "controls/LabelCtrl.h"
#include "core/SetupRunState.h"
#include "core/TagFile.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "platform/Ports.h"
#include "presentation/CMainFrame.h"

namespace kestavo {

// The main window and the driver of the whole run: it reads the dialog's
// settings, starts the splash, animates its bar until the splash has ended
// and then runs the installation, which ends the dialog and the program.
// It owns the run's flags and folder table, which the actions share.
class SetupProgressDialog : public Dialog, public SetupRunState {
public:
    explicit SetupProgressDialog(Ports& ports);

    // Fills the folder table; always true.
    bool InitFolders();
    // Runs the vendor's programs listed for `point` ("Before installation"
    // or "After installation"), one at a time, in list order.
    void RunFileSupport(const std::string& point);
    // True when the billboard thread was started.
    bool StartBillboards();
    void ShowBackground();
    // Ends the dialog as its own Cancel does: a stop choice abandons the
    // installation this way.
    void EndWithCancel() { OnCancel(); }
    // The whole installation; ends the dialog unless a stop choice already
    // has.
    void RunInstallation();
    // Starts the package installer, finds its window for the background
    // when that is shown, and waits for it. Its exit code, or nothing when
    // it could not be started.
    std::optional<unsigned long> RunCommandAndWait(const std::string& applicationName,
                                                   const std::string& commandLine);

    // Lives until the program ends.
    std::unique_ptr<CMainFrame> m_pBackground;
    // What the run ends with, once decided (see SetupApp::ExitCode).
    std::optional<std::uint32_t> m_nExitCode;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnTimer(int timerId) override;
    void OnPaint(IDeviceContext& dc) override;
    Handle OnQueryDragIcon() override { return m_hIcon; }

private:
    static constexpr int kBarTimer = 1;
    static constexpr int kHiddenTimer = 3;
    static constexpr unsigned kBarTimerPeriodMs = 50;
    static constexpr unsigned kHiddenTimerPeriodMs = 10;
    static constexpr int kBarRange = 400;
    static constexpr int kSetBit = 255;

    void ReadDialogTexts(const TagFile& tag);
    void PlaceWindow();
    void OnBarTimer();
    void OnHiddenTimer();

    Ports& m_ports;
    LabelCtrl m_message;
    ProgressCtrl m_progress;
    Handle m_hIcon;
    bool m_bHidden = false;
};

}  // namespace kestavo
