#pragma once

#include "platform/IDesktopPort.h"

namespace kestavo {

// Shows the hourglass for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(IDesktopPort& desktop) : m_desktop(desktop) {
        m_desktop.SetWaitCursor(true);
    }
    ~WaitCursor() { m_desktop.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IDesktopPort& m_desktop;
};

}  // namespace kestavo
