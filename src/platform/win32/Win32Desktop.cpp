#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "platform/win32/Win32Libraries.h"

namespace kestavo::win32 {

namespace {

using SndPlaySoundFunction = BOOL(WINAPI*)(LPCSTR, UINT);

// winmm.dll from the system folder, never freed: an asynchronous or
// looping sound plays on after the call that started it. Loading it again
// for a later sound only counts another reference.
HMODULE SoundLibrary() {
    return Win32Libraries::LoadFromSystemFolder("winmm.dll");
}

}  // namespace

int Win32Desktop::SystemMetric(int index) {
    return GetSystemMetrics(index);
}

ColorRef Win32Desktop::SystemColor(int index) {
    return GetSysColor(index);
}

int Win32Desktop::ShowMessageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

void Win32Desktop::ShellOpen(const std::string& file) {
    ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Desktop::SetWaitCursor(bool wait) {
    SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

bool Win32Desktop::PlaySoundFile(const std::string& path, unsigned flags) {
    const HMODULE library = SoundLibrary();
    if (library == nullptr) {
        return false;
    }
    const auto play = reinterpret_cast<SndPlaySoundFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "sndPlaySoundA")));
    return play != nullptr && play(path.c_str(), flags);
}

Handle Win32Desktop::CreateSolidBrush(ColorRef color) {
    return reinterpret_cast<Handle>(::CreateSolidBrush(color));
}

Handle Win32Desktop::CreateFontFromDesc(const FontDesc& font) {
    LOGFONTA logFont{};
    logFont.lfHeight = font.height;
    logFont.lfWidth = font.width;
    logFont.lfEscapement = font.escapement;
    logFont.lfOrientation = font.orientation;
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikeOut;
    logFont.lfCharSet = font.charSet;
    logFont.lfOutPrecision = font.outPrecision;
    logFont.lfClipPrecision = font.clipPrecision;
    logFont.lfQuality = font.quality;
    logFont.lfPitchAndFamily = font.pitchAndFamily;
    std::strncpy(logFont.lfFaceName, font.faceName.c_str(), LF_FACESIZE - 1);
    return reinterpret_cast<Handle>(CreateFontIndirectA(&logFont));
}

void Win32Desktop::DeleteObject(Handle object) {
    ::DeleteObject(reinterpret_cast<HGDIOBJ>(object));
}

FontDesc Win32Desktop::DefaultGuiFont() {
    LOGFONTA logFont{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    FontDesc font;
    font.height = logFont.lfHeight;
    font.width = logFont.lfWidth;
    font.escapement = logFont.lfEscapement;
    font.orientation = logFont.lfOrientation;
    font.weight = logFont.lfWeight;
    font.italic = logFont.lfItalic;
    font.underline = logFont.lfUnderline;
    font.strikeOut = logFont.lfStrikeOut;
    font.charSet = logFont.lfCharSet;
    font.outPrecision = logFont.lfOutPrecision;
    font.clipPrecision = logFont.lfClipPrecision;
    font.quality = logFont.lfQuality;
    font.pitchAndFamily = logFont.lfPitchAndFamily;
    font.faceName.assign(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
    return font;
}

}  // namespace kestavo::win32
