#pragma once

#include <string>

#include "controls/CHtmlCtrl.h"
#include "core/TagFile.h"
#include "framework/Dialog.h"
#include "platform/Ports.h"
#include "presentation/PictureLoader.h"

namespace kestavo {

// The splash window: the vendor's picture, animation or web page, with an
// optional sound, for the vendor's time; then it ends itself.
class SplashDialog : public Dialog {
public:
    explicit SplashDialog(Ports& ports);

    // How long the splash stays: SPLASH/A4 seconds, 5 when that gives
    // nothing.
    static unsigned DurationMs(const TagFile& tag);

protected:
    bool OnInitDialog() override;
    void OnTimer(int timerId) override;
    void OnPaint(IDeviceContext& dc) override;

private:
    static constexpr int kEndTimer = 1;

    void PlaySplashSound(const std::string& sound);
    void ShowMode(const std::string& mode, const std::string& address);
    void PlaceInTheMiddle();

    Ports& m_ports;
    PictureLoader m_picture;
    CHtmlCtrl m_html;
};

}  // namespace kestavo
