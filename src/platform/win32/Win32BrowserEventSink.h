#pragma once

#include <windows.h>

#include <ocidl.h>
#include <ole2.h>

#include "platform/IBrowserPort.h"

namespace kestavo::win32 {

// The browser's DWebBrowserEvents2 outgoing interface, received as plain
// IDispatch calls and handed on to the program's IBrowserEvents.
class Win32BrowserEventSink final : public IDispatch {
public:
    explicit Win32BrowserEventSink(IBrowserEvents& events) : m_events(events) {}
    Win32BrowserEventSink(const Win32BrowserEventSink&) = delete;
    Win32BrowserEventSink& operator=(const Win32BrowserEventSink&) = delete;

    bool Connect(IUnknown* browser);
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

private:
    ~Win32BrowserEventSink() = default;

    void BeforeNavigate2(const DISPPARAMS& params);
    void NewWindow2(const DISPPARAMS& params);

    LONG m_refs = 1;
    IBrowserEvents& m_events;
    IConnectionPoint* m_connection = nullptr;
    DWORD m_cookie = 0;
};

}  // namespace kestavo::win32
