#pragma once

#include "driver/TagFile.h"
#include "framework/Dialog.h"
#include "platform/Ports.h"

namespace kestavo {

// The splash window: shown for the vendor's time, then it ends itself.
class SplashDialog : public Dialog {
public:
    explicit SplashDialog(Ports& ports);

    // How long the splash stays: SPLASH/A4 seconds, 5 when that gives 0.
    static unsigned DurationMs(const TagFile& tag);

protected:
    bool OnInitDialog() override;
    void OnTimer(int timerId) override;

private:
    static constexpr int kEndTimer = 1;
    static constexpr unsigned kLongestTimerMs = 0x7FFFFFFF;

    Ports& m_ports;
};

}  // namespace kestavo
