#include "framework/Dialog.h"

#include <cstdlib>

#include "platform/WinConst.h"

namespace kestavo {

Dialog::Dialog(IDialogHost& host, int templateId) : m_host(host), m_templateId(templateId) {}

int Dialog::DoModal() {
    const int result = m_host.RunModal(m_templateId, *this);
    m_window = nullptr;
    return result;
}

bool Dialog::OnInitDialog(IDialogWindow& window) {
    m_window = &window;
    DoDataExchange();
    return OnInitDialog();
}

void Dialog::OnTimer(int) {}

void Dialog::OnPaint(IDeviceContext&) {}

void Dialog::OnCommand(int commandId) {
    if (commandId == IDOK) {
        OnOK();
    } else if (commandId == IDCANCEL) {
        OnCancel();
    }
}

// A choice that stops the installation may reach a dialog whose run is
// over or has not begun; there is no window then, and nothing to end.
void Dialog::EndDialog(int result) {
    if (m_window != nullptr) {
        m_window->End(result);
    }
}

// Only handlers use the window, and they run inside the modal run; a call
// from anywhere else is a fault in the program, which is not carried on.
IDialogWindow& Dialog::Window() {
    if (m_window == nullptr) {
        std::abort();
    }
    return *m_window;
}

}  // namespace kestavo
