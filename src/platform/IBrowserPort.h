#pragma once

#include <memory>
#include <string>

#include "platform/IDialogHost.h"

namespace kestavo {

// What the embedded web browser reports to its host before it acts.
class IBrowserEvents {
public:
    virtual ~IBrowserEvents() = default;

    // Before every navigation; setting `cancel` stops it.
    virtual void OnBeforeNavigate2(const std::string& url, bool& cancel) = 0;
    // When a page asks for a new window; setting `cancel` refuses it.
    virtual void OnNewWindow2(bool& cancel) = 0;
};

// The platform's web-browser control, living as a child window of a dialog.
class IBrowserControl {
public:
    virtual ~IBrowserControl() = default;

    virtual void Navigate(const std::string& url) = 0;
    virtual void SetRegisterAsBrowser(bool value) = 0;
};

class IBrowserPort {
public:
    virtual ~IBrowserPort() = default;

    // Replaces the dialog's placeholder item by a browser control with the
    // placeholder's rectangle and id (the placeholder window is destroyed).
    // Null when the dialog has no such item or the control cannot be made.
    virtual std::unique_ptr<IBrowserControl> CreateOverPlaceholder(IDialogWindow& parent,
                                                                   int itemId,
                                                                   IBrowserEvents& events) = 0;
};

}  // namespace kestavo
