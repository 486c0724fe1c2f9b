#include "presentation/SplashDialog.h"

#include <string>

#include "resources/resource.h"

namespace kestavo {

SplashDialog::SplashDialog(Ports& ports) : Dialog(ports.dialogs, IDD_SPLASH), m_ports(ports) {}

unsigned SplashDialog::DurationMs(const TagFile& tag) {
    const long long product =
        static_cast<long long>(tag.ReadInt("SPLASH", "A4", TagFile::kListCapacity)) * 1000;
    // A negative time would wrap to weeks as a timer period and keep the
    // installation waiting behind an invisible window: it counts as no time
    // given. Longer than a timer can wait is cut to the longest it can.
    if (product <= 0) {
        return 5000;
    }
    return product > kLongestTimerMs ? kLongestTimerMs : static_cast<unsigned>(product);
}

bool SplashDialog::OnInitDialog() {
    const TagFile tag(m_ports.system, m_ports.profile);
    const std::string mode = tag.Read("SPLASH", "A0", TagFile::kListCapacity);
    if (mode == "Disabled" || mode.empty()) {
        // Ends as soon as initialisation returns; the steps below still run.
        EndDialog(IDOK);
    }
    // No picture, animation or web page is shown by this build: every mode
    // keeps the window at zero size for the splash's time.
    Window().Move(0, 0, 0, 0, false);
    Window().SetTimer(kEndTimer, DurationMs(tag));
    return true;
}

void SplashDialog::OnTimer(int timerId) {
    if (timerId == kEndTimer) {
        OnOK();
    }
}

}  // namespace kestavo
