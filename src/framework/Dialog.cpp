#include "framework/Dialog.h"

#include <stdexcept>

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

void Dialog::EndDialog(int result) {
    Window().End(result);
}

IDialogWindow& Dialog::Window() {
    if (m_window == nullptr) {
        throw std::logic_error("dialog window used outside its modal run");
    }
    return *m_window;
}

}  // namespace kestavo
