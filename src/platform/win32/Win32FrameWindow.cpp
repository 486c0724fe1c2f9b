#include "platform/win32/Win32FrameWindow.h"

namespace kestavo::win32 {

// The window outlives this object (it ends with the process); from now on
// its messages get the default handling instead of reaching handlers that
// may be gone.
Win32FrameWindow::~Win32FrameWindow() {
    SetWindowLongPtrA(m_frame, GWLP_USERDATA, 0);
}

Rect Win32FrameWindow::ClientRect() {
    RECT rect{};
    GetClientRect(m_frame, &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32FrameWindow::RemoveStyle(unsigned long style) {
    const LONG current = GetWindowLongA(m_frame, GWL_STYLE);
    SetWindowLongA(m_frame, GWL_STYLE, static_cast<LONG>(current & ~style));
}

void Win32FrameWindow::AddExStyle(unsigned long exStyle) {
    const LONG current = GetWindowLongA(m_frame, GWL_EXSTYLE);
    SetWindowLongA(m_frame, GWL_EXSTYLE, static_cast<LONG>(current | exStyle));
}

void Win32FrameWindow::Show(int showCommand) {
    ShowWindow(m_frame, showCommand);
}

void Win32FrameWindow::RemoveMenu() {
    SetMenu(m_frame, nullptr);
}

void Win32FrameWindow::SetTitle(const std::string& title) {
    SetWindowTextA(m_frame, title.c_str());
}

void Win32FrameWindow::Update() {
    UpdateWindow(m_frame);
}

void Win32FrameWindow::Invalidate() {
    InvalidateRect(m_frame, nullptr, TRUE);
}

}  // namespace kestavo::win32
