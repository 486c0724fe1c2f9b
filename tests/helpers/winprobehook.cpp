// Loaded into the process whose window winprobe looks at (a WH_CALLWNDPROC
// hook on the window's thread): answers winprobe's font question there,
// where the control's GDI handles mean something.

#include "FontQuery.h"

namespace {

void ReadPaintColours(HWND control, HFONT ownFont, FontAnswer* answer) {
    // A static control selects its own font and then asks its parent for
    // colours; the parent may select another font into the DC. Doing the
    // same on a scratch DC shows what the control really paints with.
    HDC dc = CreateCompatibleDC(nullptr);
    if (ownFont) {
        SelectObject(dc, ownFont);
    }
    LRESULT brush = SendMessageW(GetParent(control), WM_CTLCOLORSTATIC,
                                 reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    answer->hasPaint =
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(LOGFONTW), &answer->paintFont) != 0;
    answer->paintText = GetTextColor(dc);
    LOGBRUSH fill = {};
    answer->paintBack = GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(fill), &fill)
                            ? fill.lbColor
                            : CLR_INVALID;
    DeleteDC(dc);
}

void AnswerFontQuery(HWND control, DWORD probeProcessId) {
    HANDLE mapping =
        OpenFileMappingW(FILE_MAP_WRITE, FALSE, FontAnswerName(probeProcessId).c_str());
    if (!mapping) {
        return;
    }
    auto* answer =
        static_cast<FontAnswer*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(FontAnswer)));
    if (answer) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        answer->hasFont = font && GetObjectW(font, sizeof(LOGFONTW), &answer->font) != 0;
        wchar_t className[32] = L"";
        GetClassNameW(control, className, 32);
        if (lstrcmpiW(className, L"Static") == 0) {
            ReadPaintColours(control, font, answer);
        }
        answer->dragIcon = static_cast<UINT_PTR>(SendMessageW(control, WM_QUERYDRAGICON, 0, 0));
        answer->bigIcon = static_cast<UINT_PTR>(SendMessageW(control, WM_GETICON, ICON_BIG, 0));
        answer->answered = TRUE;
        UnmapViewOfFile(answer);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    WinprobeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == RegisterWindowMessageW(kFontQueryMessage)) {
        AnswerFontQuery(message->hwnd, static_cast<DWORD>(message->wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
