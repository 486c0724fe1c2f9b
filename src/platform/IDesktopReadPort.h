#pragma once

#include "platform/Types.h"

namespace kestavo {

// What the desktop says about itself: its metrics (the screen's size among
// them) and its colours. Questions only; IDesktopPort adds what the program
// shows and plays on it.
class IDesktopReadPort {
public:
    virtual ~IDesktopReadPort() = default;

    virtual int SystemMetric(int index) = 0;
    virtual ColorRef SystemColor(int index) = 0;
};

}  // namespace kestavo
