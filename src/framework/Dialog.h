#pragma once

#include <string>

#include "platform/IDialogHost.h"
#include "platform/Types.h"
#include "platform/WinConst.h"

namespace kestavo {

// A modal dialog from one of the program's templates, with the handlers and
// operations of the application framework's dialog class. The defaults are
// the framework's: OK and Cancel end the dialog with their id, a timer or
// a paint does nothing more.
class Dialog : public IDialogEvents {
public:
    Dialog(IDialogHost& host, int templateId);
    ~Dialog() override = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int DoModal();

    // Handlers called by the host.
    bool OnInitDialog(IDialogWindow& window) final;
    void OnTimer(int timerId) override;
    void OnPaint(IDeviceContext& dc) override;
    void OnCommand(int commandId) final;
    Handle OnQueryDragIcon() override { return kNullHandle; }

protected:
    // Called once the window exists: the place to attach controls.
    virtual void DoDataExchange() {}
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Does nothing when the dialog is not running.
    void EndDialog(int result);
    // The live window; only valid while the dialog runs.
    IDialogWindow& Window();
    IDialogHost& Host() { return m_host; }

private:
    IDialogHost& m_host;
    int m_templateId;
    IDialogWindow* m_window = nullptr;
};

}  // namespace kestavo
