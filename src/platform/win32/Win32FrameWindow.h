#pragma once

#include <windows.h>

#include "platform/IFrameHost.h"

namespace kestavo::win32 {

// A live frame window: each operation is the Win32 call it names.
class Win32FrameWindow : public IFrameWindow {
public:
    explicit Win32FrameWindow(HWND frame) : m_frame(frame) {}
    ~Win32FrameWindow() override;
    Win32FrameWindow(const Win32FrameWindow&) = delete;
    Win32FrameWindow& operator=(const Win32FrameWindow&) = delete;

    Handle Get() override { return reinterpret_cast<Handle>(m_frame); }
    Rect ClientRect() override;
    void RemoveStyle(unsigned long style) override;
    void AddExStyle(unsigned long exStyle) override;
    void Show(int showCommand) override;
    void RemoveMenu() override;
    void SetTitle(const std::string& title) override;
    void Update() override;
    void Invalidate() override;

private:
    HWND m_frame;
};

}  // namespace kestavo::win32
