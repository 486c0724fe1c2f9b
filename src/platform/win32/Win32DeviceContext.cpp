#include "platform/win32/Win32DeviceContext.h"

namespace kestavo::win32 {

void Win32DeviceContext::SelectObject(Handle object) {
    ::SelectObject(m_dc, reinterpret_cast<HGDIOBJ>(object));
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

void Win32DeviceContext::DrawIcon(int x, int y, Handle icon) {
    ::DrawIcon(m_dc, x, y, reinterpret_cast<HICON>(icon));
}

}  // namespace kestavo::win32
