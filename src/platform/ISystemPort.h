#pragma once

#include "platform/ISystemReadPort.h"

namespace kestavo {

// The kernel's view of the machine that the setup needs: its folders, the
// existence of files and the name of the running program. Never writes;
// only the process's error mode, for its own probes, is changed.
class ISystemPort : public ISystemReadPort {
public:
    // SetErrorMode: the process's error mode, which every program it starts
    // inherits; the mode it replaces.
    virtual unsigned SetErrorMode(unsigned mode) = 0;
};

}  // namespace kestavo
