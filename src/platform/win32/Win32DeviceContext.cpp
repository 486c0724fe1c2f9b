#include "platform/win32/Win32DeviceContext.h"

namespace kestavo::win32 {

Handle Win32DeviceContext::SelectObject(Handle object) {
    return reinterpret_cast<Handle>(::SelectObject(m_dc, reinterpret_cast<HGDIOBJ>(object)));
}

void Win32DeviceContext::SetTextColor(ColorRef color) {
    ::SetTextColor(m_dc, color);
}

void Win32DeviceContext::SetBkMode(int mode) {
    ::SetBkMode(m_dc, mode);
}

// A system colour index plus one is the brush Windows keeps for it.
void Win32DeviceContext::FillRectWithSysColor(const Rect& rect, int sysColorIndex) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(m_dc, &area, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(sysColorIndex + 1)));
}

// An opaque text output of no text fills the rectangle with the background
// colour: one solid fill without a brush to make and delete.
void Win32DeviceContext::FillSolidRect(const Rect& rect, ColorRef color) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    ::SetBkColor(m_dc, color);
    ExtTextOutA(m_dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void Win32DeviceContext::DrawIcon(int x, int y, Handle icon) {
    ::DrawIcon(m_dc, x, y, reinterpret_cast<HICON>(icon));
}

void Win32DeviceContext::SetTextAlign(unsigned align) {
    ::SetTextAlign(m_dc, align);
}

void Win32DeviceContext::DrawTextAt(int x, int y, const std::string& text) {
    TextOutA(m_dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace kestavo::win32
