#pragma once

#include <windows.h>

#include "platform/IGdiPort.h"

namespace kestavo::win32 {

// A device context lent by a paint or a colour request.
class Win32DeviceContext : public IDeviceContext {
public:
    explicit Win32DeviceContext(HDC dc) : m_dc(dc) {}

    Handle Get() override { return reinterpret_cast<Handle>(m_dc); }
    Handle SelectObject(Handle object) override;
    void SetTextColor(ColorRef color) override;
    void SetBkMode(int mode) override;
    void FillRectWithSysColor(const Rect& rect, int sysColorIndex) override;
    void FillSolidRect(const Rect& rect, ColorRef color) override;
    void DrawIcon(int x, int y, Handle icon) override;
    void SetTextAlign(unsigned align) override;
    void DrawTextAt(int x, int y, const std::string& text) override;

private:
    HDC m_dc;
};

}  // namespace kestavo::win32
