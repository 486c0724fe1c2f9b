#pragma once

#include <windows.h>

#include "platform/IDialogHost.h"

namespace kestavo::win32 {

// Runs the program's dialog templates as real modal dialogs; the dialog
// procedure hands each message to the dialog's handlers.
class Win32DialogHost : public IDialogHost {
public:
    explicit Win32DialogHost(HINSTANCE instance) : m_instance(instance) {}

    int RunModal(int templateId, IDialogEvents& events) override;
    Handle LoadIconResource(int resourceId) override;
    std::string LoadStringResource(int resourceId) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_instance;
};

}  // namespace kestavo::win32
