#pragma once

#include <windows.h>

#include "FontQuery.h"

// Asks the controls of one window, inside their own process, which fonts
// and colours they use. The hook library winprobehook.dll, beside this
// program, is hooked into the window's thread for the probe's lifetime.
class FontProbe {
public:
    explicit FontProbe(HWND window);
    ~FontProbe();
    FontProbe(const FontProbe&) = delete;
    FontProbe& operator=(const FontProbe&) = delete;

    // False when the control did not answer (no hook, or it timed out).
    bool Ask(HWND control, FontAnswer* answer);

private:
    HANDLE m_hMapping = nullptr;
    FontAnswer* m_pAnswer = nullptr;
    HHOOK m_hHook = nullptr;
    UINT m_nQuery = 0;
};
