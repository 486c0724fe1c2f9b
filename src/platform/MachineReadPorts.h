#pragma once

#include "platform/IDesktopReadPort.h"
#include "platform/IModulePort.h"
#include "platform/IProfilePort.h"
#include "platform/IRegistryPort.h"
#include "platform/ISystemReadPort.h"
#include "platform/IWindowReadPort.h"

namespace kestavo {

// The questions a machine answers, and nothing it does: the read halves of
// the ports, with the ANSI code page its texts are in. A dry run asks a real
// machine through these and takes every effect from the simulated one, so
// nothing it does can reach the real machine: none of these types has a
// method that changes anything.
struct MachineReadPorts {
    ISystemReadPort& system;
    IProfilePort& profile;
    IRegistryPort& registry;
    IModulePort& modules;
    IWindowReadPort& windows;
    IDesktopReadPort& desktop;
    unsigned codePage = 1252;
};

}  // namespace kestavo
