#include "platform/sim/SimDesktop.h"

#include <cstdio>
#include <utility>

#include "platform/WinConst.h"

namespace kestavo::sim {

int SimDesktop::SystemMetric(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return screenWidth;
        case SM_CYSCREEN:
            return screenHeight;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        default:
            return 0;
    }
}

// The colours of the classic Windows scheme.
ColorRef SimDesktop::SystemColor(int index) {
    switch (index) {
        case COLOR_WINDOW:
            return Rgb(255, 255, 255);
        case COLOR_WINDOWTEXT:
            return Rgb(0, 0, 0);
        case COLOR_BTNFACE:
            return Rgb(212, 208, 200);
        default:
            return Rgb(128, 128, 128);
    }
}

int SimDesktop::ShowMessageBox(const std::string& text, const std::string& caption,
                               unsigned style) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "%#x", style);
    Trace("message box: " + text + " | caption " + caption + " | style " + flags);
    return messageBoxAnswer;
}

void SimDesktop::ShellOpen(const std::string& file) {
    Trace("shell open: " + file);
}

bool SimDesktop::PlaySoundFile(const std::string& path, unsigned flags) {
    Trace("sound: " + path + " flags " + std::to_string(flags));
    return m_files.HoldsRiff(path, "WAVE");
}

void SimDesktop::SetWaitCursor(bool wait) {
    Trace(wait ? "cursor: wait" : "cursor: arrow");
}

Handle SimDesktop::CreateSolidBrush(ColorRef color) {
    char description[32];
    std::snprintf(description, sizeof description, "brush %06x", color);
    return Keep(description);
}

Handle SimDesktop::CreateFontFromDesc(const FontDesc& font) {
    return Keep("font " + font.faceName + " " + std::to_string(font.weight) + " " +
                std::to_string(font.height));
}

void SimDesktop::DeleteObject(Handle object) {
    m_objects.erase(object);
}

FontDesc SimDesktop::DefaultGuiFont() {
    FontDesc font;
    font.height = -11;
    font.weight = FW_NORMAL;
    font.charSet = 1;
    font.faceName = "MS Shell Dlg";
    return font;
}

std::string SimDesktop::Describe(Handle object) const {
    const auto it = m_objects.find(object);
    return it == m_objects.end() ? std::string("deleted") : it->second;
}

Handle SimDesktop::Keep(std::string description) {
    const Handle handle = m_nextObject++;
    m_objects.emplace(handle, std::move(description));
    return handle;
}

}  // namespace kestavo::sim
