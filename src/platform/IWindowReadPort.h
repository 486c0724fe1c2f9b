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
    std::string className;
};

// The desktop's top-level windows, as other programs show them: questions
// only. IWindowListPort adds what the program does to them.
class IWindowReadPort {
public:
    virtual ~IWindowReadPort() = default;

    // Every top-level window, in the order EnumWindows delivers them.
    virtual std::vector<TopLevelWindow> EnumTopLevelWindows() = 0;
    // FindWindowA by title alone, or by class name alone; hidden windows
    // count. Titles and class names compare without regard to case.
    virtual Handle FindWindowByTitle(const std::string& title) = 0;
    virtual Handle FindWindowByClass(const std::string& className) = 0;
};

}  // namespace kestavo
