#include "presentation/SplashDialog.h"

#include <cstdint>

#include "core/DecisionReport.h"
#include "core/SetupFolder.h"
#include "core/TagKeywords.h"
#include "platform/WinConst.h"
#include "presentation/TimerPeriod.h"
#include "resources/resource.h"

namespace kestavo {

namespace {

constexpr int kWideWidth = 640;
constexpr int kWideHeight = 450;

}  // namespace

SplashDialog::SplashDialog(Ports& ports)
    : Dialog(ports.dialogs, IDD_SPLASH), m_ports(ports), m_picture(ports), m_html(ports.browsers) {}

// A time that gives no period (missing, 0, not a number, or negative,
// which would otherwise keep the installation waiting for weeks) counts as
// five seconds.
unsigned SplashDialog::DurationMs(const TagFile& tag) {
    const unsigned period = SecondsToTimerMs(tag.ReadInt("SPLASH", "A4", TagFile::kListCapacity));
    return period == 0 ? 5000 : period;
}

bool SplashDialog::OnInitDialog() {
    const TagFile tag(m_ports.system, m_ports.profile);
    const std::string mode = tag.Read("SPLASH", "A0", TagFile::kListCapacity);
    if (mode == keywords::kSplashDisabled || mode.empty()) {
        // Ends as soon as initialisation returns; the sound still starts.
        EndDialog(IDOK);
    }
    const std::string address = tag.Read("SPLASH", "A1", TagFile::kListCapacity);
    PlaySplashSound(tag.Read("SPLASH", "A2", TagFile::kListCapacity));
    ShowMode(mode, address);
    Window().SetTimer(kEndTimer, DurationMs(tag));
    return true;
}

// Nothing stops the sound: a looping one goes on until the program ends.
// A missing file plays nothing, rather than the system's default sound
// over and over for the whole run.
void SplashDialog::PlaySplashSound(const std::string& sound) {
    unsigned flags = SND_ASYNC | SND_NODEFAULT;
    if (sound == keywords::kSoundOnLoop) {
        flags |= SND_LOOP;
    } else if (sound != keywords::kSoundOn) {
        return;
    }
    const std::string path = SetupFilePath(m_ports.system, "kvsound.wav");
    if (!m_ports.desktop.PlaySoundFile(path, flags)) {
        Report(m_ports, Decision::SoundNotPlayed, &path);
    }
}

void SplashDialog::ShowMode(const std::string& mode, const std::string& address) {
    IDialogWindow& window = Window();
    if (mode == keywords::kSplashPicture) {
        window.ShowItem(IDC_SPLASH_PLACEHOLDER, SW_HIDE);
        if (m_picture.Load(SetupFilePath(m_ports.system, "setup.bmp"))) {
            window.Invalidate();
        }
    } else if (mode == keywords::kSplashAnimation) {
        const std::string animation = SetupFilePath(m_ports.system, "kvavi.avi");
        window.ShowItem(IDC_SPLASH_ANIMATION, SW_SHOW);
        PlaceInTheMiddle();
        window.MoveItem(IDC_SPLASH_ANIMATION, 0, 0, kWideWidth, kWideHeight);
        if (window.SendToItem(IDC_SPLASH_ANIMATION, ACM_OPENA, 0,
                              reinterpret_cast<std::intptr_t>(animation.c_str())) == 0) {
            Report(m_ports, Decision::AnimationNotOpened, &animation);
        }
        // From the first frame to the last.
        window.SendToItem(IDC_SPLASH_ANIMATION, ACM_PLAY, 0,
                          static_cast<std::intptr_t>(0xFFFF0000u));
    } else if (mode == keywords::kSplashInternetShortcut) {
        PlaceInTheMiddle();
        window.ShowItem(IDC_SPLASH_HTML, SW_SHOW);
        window.MoveItem(IDC_SPLASH_HTML, 0, 0, kWideWidth, kWideHeight);
        m_html.CreateOverPlaceholder(IDC_SPLASH_HTML, window);
        m_html.Navigate(address);
    } else {
        window.SetWindowPosTop(0, 0, 0, 0, 0);
    }
}

// 640 x 450 around the screen's middle, 240 pixels above it.
void SplashDialog::PlaceInTheMiddle() {
    const int x = m_ports.desktop.SystemMetric(SM_CXSCREEN) / 2 - 320;
    const int y = m_ports.desktop.SystemMetric(SM_CYSCREEN) / 2 - 240;
    Window().SetWindowPosTop(x, y, kWideWidth, kWideHeight, 0);
}

void SplashDialog::OnTimer(int timerId) {
    if (timerId == kEndTimer) {
        OnOK();
    }
}

// The window takes the picture's size, centred on the screen.
void SplashDialog::OnPaint(IDeviceContext&) {
    if (!m_picture.Loaded()) {
        return;
    }
    const PictureSize size = m_picture.Size();
    const int x = m_ports.desktop.SystemMetric(SM_CXSCREEN) / 2 - size.width / 2;
    const int y = m_ports.desktop.SystemMetric(SM_CYSCREEN) / 2 - size.height / 2;
    Window().SetWindowPosTop(x, y, size.width, size.height, SWP_FRAMECHANGED);
    m_picture.Draw(Window().Get(), 0, 0);
}

}  // namespace kestavo
