#include "platform/win32/Win32Browser.h"

#include <windows.h>

#include "platform/win32/Win32BrowserControl.h"

namespace kestavo::win32 {

// The placeholder only lends its place: its rectangle, taken in the parent's
// client coordinates, and its id go to the browser's window.
std::unique_ptr<IBrowserControl> Win32Browser::CreateOverPlaceholder(IDialogWindow& parent,
                                                                     int itemId,
                                                                     IBrowserEvents& events) {
    const auto dialog = reinterpret_cast<HWND>(parent.Get());
    const HWND placeholder = GetDlgItem(dialog, itemId);
    if (placeholder == nullptr) {
        return nullptr;
    }
    RECT rect{};
    GetWindowRect(placeholder, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    DestroyWindow(placeholder);
    return Win32BrowserControl::Create(dialog, rect, itemId, events);
}

}  // namespace kestavo::win32
