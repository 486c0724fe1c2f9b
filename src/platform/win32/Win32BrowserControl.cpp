#include "platform/win32/Win32BrowserControl.h"

#include "platform/win32/Win32BstrText.h"

namespace kestavo::win32 {

std::unique_ptr<Win32BrowserControl> Win32BrowserControl::Create(HWND parent, const RECT& rect,
                                                                 int id, IBrowserEvents& events) {
    std::unique_ptr<Win32BrowserControl> control(new Win32BrowserControl(events));
    if (!control->Open(parent, rect, id) || !control->Embed()) {
        return nullptr;
    }
    return control;
}

// Normally the window has gone first, taking the browser with it; a control
// dropped while its window lives takes the window down.
Win32BrowserControl::~Win32BrowserControl() {
    ReleaseBrowser();
    if (m_host != nullptr) {
        SetWindowLongPtrA(m_host, GWLP_USERDATA, 0);
        DestroyWindow(m_host);
    }
}

void Win32BrowserControl::Navigate(const std::string& url) {
    if (m_pBrowser == nullptr) {
        return;
    }
    BSTR address = BstrFromAnsi(url);
    VARIANT none;
    VariantInit(&none);
    m_pBrowser->Navigate(address, &none, &none, &none, &none);
    SysFreeString(address);
}

void Win32BrowserControl::SetRegisterAsBrowser(bool value) {
    if (m_pBrowser != nullptr) {
        m_pBrowser->put_RegisterAsBrowser(value ? VARIANT_TRUE : VARIANT_FALSE);
    }
}

std::string Win32BrowserControl::LocationUrl() const {
    BSTR location = nullptr;
    if (m_pBrowser == nullptr || FAILED(m_pBrowser->get_LocationURL(&location))) {
        return std::string();
    }
    const std::string url = AnsiFromBstr(location);
    SysFreeString(location);
    return url;
}

// Each control registers the class; the ones after the first, on whatever
// thread, are told it exists, which serves as well. A registration that
// failed is tried again by the next control.
const char* Win32BrowserControl::HostClass() {
    static const char kName[] = "KestavoBrowserHost";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kName;
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    return kName;
}

// The window carries its control from its first message on, so that its
// destruction, whoever causes it, releases the browser while the browser's
// own windows still exist.
LRESULT CALLBACK Win32BrowserControl::HostProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* control =
        reinterpret_cast<Win32BrowserControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (control != nullptr && message == WM_DESTROY) {
        control->ReleaseBrowser();
    } else if (control != nullptr && message == WM_NCDESTROY) {
        control->m_host = nullptr;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The browser is an apartment-threaded OLE object: the thread that shows it
// needs OLE, which a plain thread running a dialog has not started. Each
// control starts it for itself and ends it when it lets the browser go.
bool Win32BrowserControl::Open(HWND parent, const RECT& rect, int id) {
    m_bOleStarted = SUCCEEDED(OleInitialize(nullptr));
    const char* hostClass = HostClass();
    if (!m_bOleStarted || hostClass == nullptr) {
        return false;
    }
    m_host = CreateWindowExA(0, hostClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), this);
    return m_host != nullptr;
}

bool Win32BrowserControl::Embed() {
    if (FAILED(CoCreateInstance(__uuidof(WebBrowser), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IOleObject), reinterpret_cast<void**>(&m_pObject)))) {
        return false;
    }
    m_pSite = new Win32BrowserSite(m_host);
    IOleClientSite* site = m_pSite;
    m_pObject->SetClientSite(site);
    RECT area{};
    GetClientRect(m_host, &area);
    if (FAILED(m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, m_host, &area)) ||
        FAILED(m_pObject->QueryInterface(__uuidof(IWebBrowser2),
                                         reinterpret_cast<void**>(&m_pBrowser)))) {
        return false;
    }
    m_pSink = new Win32BrowserEventSink(m_events);
    return m_pSink->Connect(m_pBrowser);
}

// Safe to call again: each step clears what it released.
void Win32BrowserControl::ReleaseBrowser() {
    if (m_pSink != nullptr) {
        m_pSink->Disconnect();
        m_pSink->Release();
        m_pSink = nullptr;
    }
    if (m_pBrowser != nullptr) {
        m_pBrowser->Release();
        m_pBrowser = nullptr;
    }
    if (m_pObject != nullptr) {
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(m_pObject->QueryInterface(__uuidof(IOleInPlaceObject),
                                                reinterpret_cast<void**>(&inPlace)))) {
            inPlace->InPlaceDeactivate();
            inPlace->Release();
        }
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject->SetClientSite(nullptr);
        m_pObject->Release();
        m_pObject = nullptr;
    }
    if (m_pSite != nullptr) {
        m_pSite->Release();
        m_pSite = nullptr;
    }
    if (m_bOleStarted) {
        OleUninitialize();
        m_bOleStarted = false;
    }
}

}  // namespace kestavo::win32
