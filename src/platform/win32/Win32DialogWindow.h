#pragma once

#include <windows.h>

#include "platform/IDialogHost.h"

namespace kestavo::win32 {

// A live dialog window: each operation is the Win32 call it names.
class Win32DialogWindow : public IDialogWindow {
public:
    explicit Win32DialogWindow(HWND dialog) : m_dialog(dialog) {}

    Handle Get() override { return reinterpret_cast<Handle>(m_dialog); }
    void SetItemText(int itemId, const std::string& text) override;
    std::string ItemText(int itemId) override;
    Rect WindowRect() override;
    Rect ClientRect() override;
    Rect ItemRect(int itemId) override;
    void Move(int x, int y, int width, int height, bool repaint) override;
    void SetWindowPosTop(int x, int y, int width, int height, unsigned flags) override;
    void ShowItem(int itemId, int showCommand) override;
    void MoveItem(int itemId, int x, int y, int width, int height) override;
    void Invalidate() override;
    void Show(int showCommand) override;
    bool IsIconic() override;
    void SetTimer(int timerId, unsigned periodMs) override;
    void KillTimer(int timerId) override;
    void End(int result) override;
    std::intptr_t Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t SendToItem(int itemId, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
    void RedrawItem(int itemId, unsigned flags) override;
    void SetItemFont(int itemId, Handle font) override;
    void SubclassItem(int itemId, IControlEvents& events) override;

    // The control that answers colour requests for `control`, or null.
    IControlEvents* ControlEvents(HWND control) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_dialog;
};

}  // namespace kestavo::win32
