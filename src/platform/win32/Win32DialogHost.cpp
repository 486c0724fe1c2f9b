#include "platform/win32/Win32DialogHost.h"

#include <memory>

#include "platform/win32/Win32DeviceContext.h"
#include "platform/win32/Win32DialogWindow.h"

namespace kestavo::win32 {

namespace {

// What the dialog procedure knows of its dialog, kept in DWLP_USER.
struct ModalRun {
    IDialogEvents& events;
    std::unique_ptr<Win32DialogWindow> window;
    HWND owner = nullptr;
    // Where the main window is recorded by the first dialog.
    HWND* mainWindow = nullptr;
};

// Centres the dialog on its owner, or on the work area while the owner is
// hidden, as the application framework places its dialogs.
void CentreOnOwner(HWND dialog, HWND owner) {
    RECT area = {};
    if (IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR PaintDialog(HWND dialog, IDialogEvents& events) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(dialog, &paint);
    Win32DeviceContext context(dc);
    events.OnPaint(context);
    EndPaint(dialog, &paint);
    return TRUE;
}

// Colour requests go back to the control that asked, when it has a
// handler of its own; the others get the dialog's default.
INT_PTR ReflectColour(ModalRun& run, UINT message, WPARAM wParam, LPARAM lParam) {
    IControlEvents* control = run.window->ControlEvents(reinterpret_cast<HWND>(lParam));
    if (control == nullptr) {
        return FALSE;
    }
    Win32DeviceContext context(reinterpret_cast<HDC>(wParam));
    return static_cast<INT_PTR>(
        control->OnCtlColor(context, static_cast<int>(message - WM_CTLCOLORMSGBOX)));
}

}  // namespace

int Win32DialogHost::RunModal(int templateId, IDialogEvents& events) {
    ModalRun run{events, nullptr};
    if (m_mainThread == 0) {
        m_mainThread = GetCurrentThreadId();
        run.mainWindow = &m_mainWindow;
    } else if (m_mainThread == GetCurrentThreadId() && IsWindow(m_mainWindow)) {
        run.owner = m_mainWindow;
    }
    return static_cast<int>(DialogBoxParamA(m_instance, MAKEINTRESOURCEA(templateId), run.owner,
                                            &DialogProc, reinterpret_cast<LPARAM>(&run)));
}

Handle Win32DialogHost::LoadIconResource(int resourceId) {
    return reinterpret_cast<Handle>(::LoadIconA(m_instance, MAKEINTRESOURCEA(resourceId)));
}

std::string Win32DialogHost::LoadStringResource(int resourceId) {
    char buffer[256] = {};
    const int length = LoadStringA(m_instance, static_cast<UINT>(resourceId), buffer,
                                   static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// An owned dialog is centred unless its own initialisation placed it.
INT_PTR Win32DialogHost::InitDialog(HWND dialog, LPARAM lParam) {
    auto* run = reinterpret_cast<ModalRun*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    if (run->mainWindow != nullptr) {
        *run->mainWindow = dialog;
    }
    run->window = std::make_unique<Win32DialogWindow>(dialog);
    RECT before = {};
    GetWindowRect(dialog, &before);
    const BOOL focusDefault = run->events.OnInitDialog(*run->window) ? TRUE : FALSE;
    RECT after = {};
    GetWindowRect(dialog, &after);
    if (run->owner != nullptr && IsWindow(dialog) && EqualRect(&before, &after)) {
        CentreOnOwner(dialog, run->owner);
    }
    return focusDefault;
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return InitDialog(dialog, lParam);
    }
    auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (run == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_TIMER:
            run->events.OnTimer(static_cast<int>(wParam));
            return TRUE;
        case WM_PAINT:
            return PaintDialog(dialog, run->events);
        case WM_COMMAND:
            run->events.OnCommand(LOWORD(wParam));
            return TRUE;
        // One of the messages whose answer is the procedure's own return
        // value; a message result would be ignored.
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(run->events.OnQueryDragIcon());
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return ReflectColour(*run, message, wParam, lParam);
        default:
            return FALSE;
    }
}

}  // namespace kestavo::win32
