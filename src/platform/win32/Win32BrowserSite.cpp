#include "platform/win32/Win32BrowserSite.h"

namespace kestavo::win32 {

HRESULT STDMETHODCALLTYPE Win32BrowserSite::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (iid == __uuidof(IOleWindow) || iid == __uuidof(IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == __uuidof(IOleInPlaceUIWindow) || iid == __uuidof(IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE Win32BrowserSite::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE Win32BrowserSite::Release() {
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) {
        delete this;
    }
    return static_cast<ULONG>(refs);
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::SaveObject() {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    *moniker = nullptr;
    return E_NOTIMPL;
}

// The browser stands alone: there is no container document to enumerate.
HRESULT STDMETHODCALLTYPE Win32BrowserSite::GetContainer(IOleContainer** container) {
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::ShowObject() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnShowWindow(BOOL) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::GetWindow(HWND* window) {
    *window = m_host;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::CanInPlaceActivate() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnInPlaceActivate() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnUIActivate() {
    return S_OK;
}

// The browser fills the host window's client area; the host window is its
// own frame, without accelerators.
HRESULT STDMETHODCALLTYPE Win32BrowserSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                             IOleInPlaceUIWindow** doc,
                                                             LPRECT position, LPRECT clip,
                                                             LPOLEINPLACEFRAMEINFO frameInfo) {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(m_host, position);
    GetClientRect(m_host, clip);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = m_host;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnUIDeactivate(BOOL) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnInPlaceDeactivate() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::DiscardUndoState() {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::OnPosRectChange(LPCRECT) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return OLE_E_INVALIDRECT;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::EnableModeless(BOOL) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32BrowserSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

}  // namespace kestavo::win32
