#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>

#include <memory>
#include <string>

#include "platform/IBrowserPort.h"
#include "platform/win32/Win32BrowserEventSink.h"
#include "platform/win32/Win32BrowserSite.h"

namespace kestavo::win32 {

// A child window of the program's own class with the WebBrowser control
// active in place over its whole client area. The browser is released with
// the window, or with this object if it goes first.
class Win32BrowserControl : public IBrowserControl {
public:
    // Null when the window or the browser in it cannot be made.
    static std::unique_ptr<Win32BrowserControl> Create(HWND parent, const RECT& rect, int id,
                                                       IBrowserEvents& events);
    ~Win32BrowserControl() override;
    Win32BrowserControl(const Win32BrowserControl&) = delete;
    Win32BrowserControl& operator=(const Win32BrowserControl&) = delete;

    void Navigate(const std::string& url) override;
    void SetRegisterAsBrowser(bool value) override;

    // The address the browser shows now; empty once it is released.
    std::string LocationUrl() const;

private:
    explicit Win32BrowserControl(IBrowserEvents& events) : m_events(events) {}

    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static const char* HostClass();

    bool Open(HWND parent, const RECT& rect, int id);
    bool Embed();
    void ReleaseBrowser();

    IBrowserEvents& m_events;
    HWND m_host = nullptr;
    bool m_bOleStarted = false;
    IOleObject* m_pObject = nullptr;
    IWebBrowser2* m_pBrowser = nullptr;
    Win32BrowserSite* m_pSite = nullptr;
    Win32BrowserEventSink* m_pSink = nullptr;
};

}  // namespace kestavo::win32
