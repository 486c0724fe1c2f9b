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
};

INT_PTR Answer(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
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
    return static_cast<int>(DialogBoxParamA(m_instance, MAKEINTRESOURCEA(templateId), nullptr,
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

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* run = reinterpret_cast<ModalRun*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        run->window = std::make_unique<Win32DialogWindow>(dialog);
        return run->events.OnInitDialog(*run->window) ? TRUE : FALSE;
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
        case WM_QUERYDRAGICON:
            return Answer(dialog, static_cast<LRESULT>(run->events.OnQueryDragIcon()));
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
