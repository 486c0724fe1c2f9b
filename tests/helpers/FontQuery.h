#pragma once

// What winprobe asks of a control inside the control's own process. GDI
// handles belong to the process that made them, and Wine does not even pass
// WM_GETFONT (or WM_GETICON) between processes, so winprobe hooks the
// control's thread with winprobehook.dll and reads the answer from a named
// shared memory block.

#include <windows.h>

#include <string>

// The registered message winprobe sends to the control; its wParam is the
// id of winprobe's process, which names the shared block.
inline const wchar_t* const kFontQueryMessage = L"WinprobeFontQuery";

// Filled by the hook in the control's process.
struct FontAnswer {
    BOOL answered;
    BOOL hasFont;  // the control has a font of its own (WM_GETFONT)
    LOGFONTW font;
    BOOL hasPaint;       // what the parent hands a static control to paint with
    LOGFONTW paintFont;  // font selected after the colour request
    COLORREF paintText;  // text colour set by the colour request
    COLORREF paintBack;  // colour of the brush the colour request returned
    UINT_PTR dragIcon;   // the answer to WM_QUERYDRAGICON
    UINT_PTR bigIcon;    // the window's big icon (WM_GETICON)
};

inline std::wstring FontAnswerName(DWORD probeProcessId) {
    return L"winprobe-font-" + std::to_wstring(probeProcessId);
}
