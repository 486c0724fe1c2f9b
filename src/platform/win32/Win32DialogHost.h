#pragma once

#include <windows.h>

#include "platform/IDialogHost.h"

namespace kestavo::win32 {

// Runs the program's dialog templates as real modal dialogs; the dialog
// procedure hands each message to the dialog's handlers. As the
// application framework does, the first dialog is the program's main
// window, and the dialogs its thread runs later are owned by it: they are
// grouped with the program rather than given a taskbar button of their
// own, and centred on it (on the screen while it is hidden). The splash
// and billboard threads' dialogs have no owner.
class Win32DialogHost : public IDialogHost {
public:
    explicit Win32DialogHost(HINSTANCE instance) : m_instance(instance) {}

    int RunModal(int templateId, IDialogEvents& events) override;
    Handle LoadIconResource(int resourceId) override;
    std::string LoadStringResource(int resourceId) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR InitDialog(HWND dialog, LPARAM lParam);

    HINSTANCE m_instance;
    // Set by the first dialog, on the main thread, before any other
    // thread starts.
    HWND m_mainWindow = nullptr;
    DWORD m_mainThread = 0;
};

}  // namespace kestavo::win32
