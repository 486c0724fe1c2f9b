#include "platform/sim/SimTemplates.h"

#include "resources/resource.h"

namespace kestavo::sim {

namespace {

// Dialog units to pixels for "MS Sans Serif" 8 at 96 dots per inch, whose
// dialog base units are 6 x 13 pixels.
Rect FromDialogUnits(int x, int y, int width, int height) {
    const int left = x * 6 / 4;
    const int top = y * 13 / 8;
    return Rect{left, top, left + width * 6 / 4, top + height * 13 / 8};
}

SimTemplate ProgressTemplate() {
    SimTemplate progress;
    // 289 x 57 dialog units of client area, with a caption and a modal frame.
    progress.width = 289 * 6 / 4 + 6;
    progress.height = 57 * 13 / 8 + 25;
    progress.caption = KV_PRODUCT_TITLE;
    progress.items = {
        {IDC_PROGRESS_MESSAGE, "static", KV_TEXT_PREPARING, FromDialogUnits(39, 6, 244, 30)},
        {-1, "static", "", FromDialogUnits(7, 6, 21, 20)},
        {IDC_PROGRESS_BAR, "progress", "", FromDialogUnits(19, 40, 210, 11)},
        {2, "button", KV_TEXT_CANCEL, FromDialogUnits(236, 39, 50, 14)},
        {IDC_PROGRESS_FRAME, "static", "", FromDialogUnits(0, 0, 289, 57)},
    };
    return progress;
}

SimTemplate SplashTemplate() {
    SimTemplate splash;
    splash.width = 15 * 6 / 4;
    splash.height = 13 * 13 / 8;
    splash.items = {
        {IDC_SPLASH_PLACEHOLDER, "static", "", FromDialogUnits(0, 0, 15, 13)},
        {IDC_SPLASH_ANIMATION, "animation", "", FromDialogUnits(0, 0, 6, 6)},
        {IDC_SPLASH_HTML, "static", "", FromDialogUnits(0, 0, 8, 8)},
    };
    return splash;
}

SimTemplate BillboardTemplate() {
    SimTemplate billboard;
    // 187 x 90 dialog units of client area inside a sunken client edge.
    billboard.width = 187 * 6 / 4 + 4;
    billboard.height = 90 * 13 / 8 + 4;
    billboard.items = {
        {IDC_BILLBOARD_PLACEHOLDER, "static", "", FromDialogUnits(0, 0, 15, 13)},
    };
    return billboard;
}

SimTemplate RestartTemplate() {
    SimTemplate restart;
    restart.width = 186 * 6 / 4 + 6;
    restart.height = 90 * 13 / 8 + 25;
    restart.caption = "Dialog";
    restart.items = {
        {1, "button", "OK", FromDialogUnits(129, 7, 50, 14)},
        {2, "button", "Cancel", FromDialogUnits(129, 24, 50, 14)},
    };
    return restart;
}

}  // namespace

const std::map<int, SimTemplate>& ProgramTemplates() {
    static const std::map<int, SimTemplate> templates = {
        {IDD_SETUP_PROGRESS, ProgressTemplate()},
        {IDD_SPLASH, SplashTemplate()},
        {IDD_RESTART, RestartTemplate()},
        {IDD_BILLBOARD, BillboardTemplate()},
    };
    return templates;
}

const std::map<int, std::string>& ProgramStrings() {
    static const std::map<int, std::string> strings = {
        {IDS_SOCKETS_INIT_FAILED, KV_TEXT_SOCKETS_FAILED},
    };
    return strings;
}

}  // namespace kestavo::sim
