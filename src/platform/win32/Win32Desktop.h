#pragma once

#include <string>

#include "platform/IDesktopPort.h"
#include "platform/IGdiPort.h"

namespace kestavo::win32 {

// The desktop's metrics and colours, message boxes, the shell, and GDI.
class Win32Desktop : public IDesktopPort, public IGdiPort {
public:
    int SystemMetric(int index) override;
    ColorRef SystemColor(int index) override;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
    void ShellOpen(const std::string& file) override;
    void SetWaitCursor(bool wait) override;
    bool PlaySoundFile(const std::string& path, unsigned flags) override;

    Handle CreateSolidBrush(ColorRef color) override;
    Handle CreateFontFromDesc(const FontDesc& font) override;
    void DeleteObject(Handle object) override;
    FontDesc DefaultGuiFont() override;
};

}  // namespace kestavo::win32
