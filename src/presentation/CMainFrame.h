#pragma once

#include <memory>
#include <string>

#include "platform/IFrameHost.h"
#include "platform/Ports.h"
#include "presentation/PictureLoader.h"

namespace kestavo {

// A red, green and blue triple of the background's colour format.
struct BackgroundColor {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The full-screen background behind the installation: a vertical
// gradient, the vendor's title and second text, and a picture near the top
// left corner. Activating or clicking it brings the installer's window to
// the front.
class CMainFrame : public IFrameEvents {
public:
    explicit CMainFrame(Ports& ports);

    IFrameWindow& Window() { return *m_window; }

    bool OnEraseBkgnd(IDeviceContext& dc) override;
    void OnPaint() override;
    void OnSetFocus() override;
    void OnLButtonDown() override;

    // Anything up to the first "@" is ignored; then red, green and blue,
    // comma-separated, each exactly "0x00", "0x80", "0xC0" or "0xFF", any
    // other token counting as 0.
    static BackgroundColor ParseColor(const std::string& value);

private:
    void DrawText(IDeviceContext& dc, int height, unsigned align, int x, int y,
                  const std::string& text);
    void BringInstallerForward();

    Ports& m_ports;
    PictureLoader m_picture;
    std::string m_strTagPath;
    std::string m_strPicturePath;
    std::unique_ptr<IFrameWindow> m_window;
};

}  // namespace kestavo
