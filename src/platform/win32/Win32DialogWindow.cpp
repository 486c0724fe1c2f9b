#include "platform/win32/Win32DialogWindow.h"

#include <vector>

namespace kestavo::win32 {

namespace {

// Window properties that carry a subclassed control's handler and the
// procedure it replaced.
const char kEventsProperty[] = "KestavoControlEvents";
const char kOldProcProperty[] = "KestavoOldWndProc";

Rect ToRect(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void Win32DialogWindow::SetItemText(int itemId, const std::string& text) {
    SetDlgItemTextA(m_dialog, itemId, text.c_str());
}

std::string Win32DialogWindow::ItemText(int itemId) {
    const HWND item = GetDlgItem(m_dialog, itemId);
    std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    const int length = GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

Rect Win32DialogWindow::WindowRect() {
    RECT rect{};
    GetWindowRect(m_dialog, &rect);
    return ToRect(rect);
}

Rect Win32DialogWindow::ClientRect() {
    RECT rect{};
    GetClientRect(m_dialog, &rect);
    return ToRect(rect);
}

Rect Win32DialogWindow::ItemRect(int itemId) {
    RECT rect{};
    GetWindowRect(GetDlgItem(m_dialog, itemId), &rect);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return ToRect(rect);
}

void Win32DialogWindow::Move(int x, int y, int width, int height, bool repaint) {
    MoveWindow(m_dialog, x, y, width, height, repaint ? TRUE : FALSE);
}

void Win32DialogWindow::SetWindowPosTop(int x, int y, int width, int height, unsigned flags) {
    SetWindowPos(m_dialog, HWND_TOP, x, y, width, height, flags);
}

void Win32DialogWindow::ShowItem(int itemId, int showCommand) {
    ShowWindow(GetDlgItem(m_dialog, itemId), showCommand);
}

void Win32DialogWindow::MoveItem(int itemId, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(m_dialog, itemId), x, y, width, height, TRUE);
}

void Win32DialogWindow::Invalidate() {
    InvalidateRect(m_dialog, nullptr, TRUE);
}

void Win32DialogWindow::Show(int showCommand) {
    ShowWindow(m_dialog, showCommand);
}

bool Win32DialogWindow::IsIconic() {
    return ::IsIconic(m_dialog) != FALSE;
}

void Win32DialogWindow::SetTimer(int timerId, unsigned periodMs) {
    ::SetTimer(m_dialog, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32DialogWindow::KillTimer(int timerId) {
    ::KillTimer(m_dialog, static_cast<UINT_PTR>(timerId));
}

void Win32DialogWindow::End(int result) {
    EndDialog(m_dialog, result);
}

std::intptr_t Win32DialogWindow::Send(unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    return SendMessageA(m_dialog, message, wParam, lParam);
}

std::intptr_t Win32DialogWindow::SendToItem(int itemId, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
    return SendDlgItemMessageA(m_dialog, itemId, message, wParam, lParam);
}

void Win32DialogWindow::RedrawItem(int itemId, unsigned flags) {
    RedrawWindow(GetDlgItem(m_dialog, itemId), nullptr, nullptr, flags);
}

void Win32DialogWindow::SetItemFont(int itemId, Handle font) {
    SendDlgItemMessageA(m_dialog, itemId, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
}

void Win32DialogWindow::SubclassItem(int itemId, IControlEvents& events) {
    const HWND control = GetDlgItem(m_dialog, itemId);
    if (control == nullptr) {
        return;
    }
    SetPropA(control, kEventsProperty, &events);
    SetPropA(control, kOldProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrA(
                 control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc))));
}

// Only the controls subclassed here carry the property, and a control asks
// its own dialog for colours.
IControlEvents* Win32DialogWindow::ControlEvents(HWND control) const {
    return static_cast<IControlEvents*>(GetPropA(control, kEventsProperty));
}

LRESULT CALLBACK Win32DialogWindow::SubclassProc(HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    const auto oldProc = reinterpret_cast<WNDPROC>(GetPropA(control, kOldProcProperty));
    auto* events = static_cast<IControlEvents*>(GetPropA(control, kEventsProperty));
    if (message == WM_LBUTTONDOWN && events != nullptr) {
        events->OnLButtonDown();
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        RemovePropA(control, kEventsProperty);
        RemovePropA(control, kOldProcProperty);
    }
    return CallWindowProcA(oldProc, control, message, wParam, lParam);
}

}  // namespace kestavo::win32
