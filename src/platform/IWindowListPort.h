#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

namespace kestavo {

// A top-level window of any program on the desktop.
struct TopLevelWindow {
    Handle handle = kNullHandle;
    unsigned long processId = 0;
    std::string title;
};

// The desktop's top-level windows, as other programs show them. Never
// changes any of them.
class IWindowListPort {
public:
    virtual ~IWindowListPort() = default;

    // Every top-level window, in the order EnumWindows delivers them.
    virtual std::vector<TopLevelWindow> EnumTopLevelWindows() = 0;
};

}  // namespace kestavo
