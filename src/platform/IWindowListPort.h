#pragma once

#include "platform/IWindowReadPort.h"

namespace kestavo {

// The desktop's top-level windows, as other programs show them. The only
// thing it ever does to one is post it a quit request.
class IWindowListPort : public IWindowReadPort {
public:
    // PostMessageA(window, WM_QUIT, 0, 0).
    virtual void PostQuit(Handle window) = 0;
    // Puts another program's window on top of the z-order where it is
    // (SetWindowPos with SWP_SHOWWINDOW), then shows it (SW_SHOW).
    virtual void BringToFront(Handle window) = 0;
};

}  // namespace kestavo
