#include "platform/win32/Win32BrowserEventSink.h"

#include <exdisp.h>
#include <exdispid.h>

#include <string>

#include "platform/win32/Win32BstrText.h"

namespace kestavo::win32 {

namespace {

// Event arguments come in reverse order; by reference or by value, as the
// browser chooses.
const VARIANT& Argument(const DISPPARAMS& params, UINT fromLast) {
    const VARIANT& argument = params.rgvarg[fromLast];
    return argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal != nullptr ? *argument.pvarVal
                                                                                 : argument;
}

std::string AnsiText(const VARIANT& value) {
    if (value.vt == VT_BSTR) {
        return AnsiFromBstr(value.bstrVal);
    }
    if (value.vt == (VT_BYREF | VT_BSTR) && value.pbstrVal != nullptr) {
        return AnsiFromBstr(*value.pbstrVal);
    }
    return std::string();
}

// Hands the cancel flag to `decide` and writes its answer back where the
// browser reads it.
template <typename Decide>
void WithCancelFlag(const VARIANT& flag, Decide decide) {
    VARIANT_BOOL* answer = flag.vt == (VT_BYREF | VT_BOOL) ? flag.pboolVal : nullptr;
    bool cancel = answer != nullptr && *answer != VARIANT_FALSE;
    decide(cancel);
    if (answer != nullptr) {
        *answer = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    }
}

}  // namespace

bool Win32BrowserEventSink::Connect(IUnknown* browser) {
    IConnectionPointContainer* container = nullptr;
    if (FAILED(browser->QueryInterface(__uuidof(IConnectionPointContainer),
                                       reinterpret_cast<void**>(&container)))) {
        return false;
    }
    IConnectionPoint* connection = nullptr;
    const HRESULT found = container->FindConnectionPoint(__uuidof(DWebBrowserEvents2), &connection);
    container->Release();
    if (FAILED(found)) {
        return false;
    }
    if (FAILED(connection->Advise(static_cast<IDispatch*>(this), &m_cookie))) {
        connection->Release();
        return false;
    }
    m_connection = connection;
    return true;
}

void Win32BrowserEventSink::Disconnect() {
    if (m_connection == nullptr) {
        return;
    }
    m_connection->Unadvise(m_cookie);
    m_connection->Release();
    m_connection = nullptr;
}

HRESULT STDMETHODCALLTYPE Win32BrowserEventSink::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
        iid == __uuidof(DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Win32BrowserEventSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE Win32BrowserEventSink::Release() {
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) {
        delete this;
    }
    return static_cast<ULONG>(refs);
}

HRESULT STDMETHODCALLTYPE Win32BrowserEventSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                                               DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD,
                                                        DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                                        UINT*) {
    if (params == nullptr) {
        return S_OK;
    }
    if (id == DISPID_BEFORENAVIGATE2 && params->cArgs == 7) {
        BeforeNavigate2(*params);
    } else if (id == DISPID_NEWWINDOW2 && params->cArgs == 2) {
        NewWindow2(*params);
    }
    return S_OK;
}

// Arguments, last first: cancel, headers, post data, target frame, flags,
// address, browser.
void Win32BrowserEventSink::BeforeNavigate2(const DISPPARAMS& params) {
    const std::string url = AnsiText(Argument(params, 5));
    WithCancelFlag(params.rgvarg[0],
                   [&](bool& cancel) { m_events.OnBeforeNavigate2(url, cancel); });
}

// Arguments, last first: cancel, the new browser's slot.
void Win32BrowserEventSink::NewWindow2(const DISPPARAMS& params) {
    WithCancelFlag(params.rgvarg[0], [&](bool& cancel) { m_events.OnNewWindow2(cancel); });
}

}  // namespace kestavo::win32
