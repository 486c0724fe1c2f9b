#pragma once

#include <cstdint>
#include <string>

#include "platform/IGdiPort.h"
#include "platform/Types.h"

namespace kestavo {

// What a control attached to a dialog item hears of its window: clicks on it
// and the colour requests its parent reflects back to it.
class IControlEvents {
public:
    virtual ~IControlEvents() = default;

    virtual void OnLButtonDown() = 0;
    // Answers a colour request for the control: the brush to paint its
    // background with, after preparing the device context.
    virtual Handle OnCtlColor(IDeviceContext& dc, int ctlColorType) = 0;
};

// A live modal dialog, valid from its initialisation until its run returns.
class IDialogWindow {
public:
    virtual ~IDialogWindow() = default;

    virtual Handle Get() = 0;
    virtual void SetItemText(int itemId, const std::string& text) = 0;
    virtual std::string ItemText(int itemId) = 0;
    virtual Rect WindowRect() = 0;
    virtual Rect ClientRect() = 0;
    // The item's rectangle in the dialog's client coordinates.
    virtual Rect ItemRect(int itemId) = 0;
    virtual void Move(int x, int y, int width, int height, bool repaint) = 0;
    // SetWindowPos to the top of the z-order with the given flags.
    virtual void SetWindowPosTop(int x, int y, int width, int height, unsigned flags) = 0;
    virtual void ShowItem(int itemId, int showCommand) = 0;
    virtual void MoveItem(int itemId, int x, int y, int width, int height) = 0;
    // Invalidates the whole client area, erasing the background first.
    virtual void Invalidate() = 0;
    virtual void Show(int showCommand) = 0;
    virtual bool IsIconic() = 0;
    virtual void SetTimer(int timerId, unsigned periodMs) = 0;
    virtual void KillTimer(int timerId) = 0;
    virtual void End(int result) = 0;
    virtual std::intptr_t Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual std::intptr_t SendToItem(int itemId, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
    virtual void RedrawItem(int itemId, unsigned flags) = 0;
    // Hands the item a font to draw its text with (WM_SETFONT, no redraw).
    virtual void SetItemFont(int itemId, Handle font) = 0;
    // Routes the item's clicks and reflected colour requests to `events`
    // until the dialog ends.
    virtual void SubclassItem(int itemId, IControlEvents& events) = 0;
};

// The handlers a modal dialog offers its host; the host calls them on the
// dialog's own thread.
class IDialogEvents {
public:
    virtual ~IDialogEvents() = default;

    virtual bool OnInitDialog(IDialogWindow& window) = 0;
    virtual void OnTimer(int timerId) = 0;
    virtual void OnPaint(IDeviceContext& dc) = 0;
    virtual void OnCommand(int commandId) = 0;
    virtual Handle OnQueryDragIcon() = 0;
};

// Runs dialogs from the program's templates. On Windows each is a real
// modal dialog with its own message loop; on the simulated machine the
// scheduler drives it.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;

    virtual int RunModal(int templateId, IDialogEvents& events) = 0;
    virtual Handle LoadIconResource(int resourceId) = 0;
    virtual std::string LoadStringResource(int resourceId) = 0;
};

}  // namespace kestavo
