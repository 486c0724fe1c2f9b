#pragma once

#include <string>

#include "platform/MachineReadPorts.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Modules.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

namespace kestavo::win32 {

// This Windows, asked and never changed: the adapter's objects are its own,
// and all it hands out are their read halves. A dry run of the setup and a
// capture of the machine's answers reach the machine through it alone.
class Win32ReadMachine {
public:
    Win32ReadMachine() = default;
    Win32ReadMachine(const Win32ReadMachine&) = delete;
    Win32ReadMachine& operator=(const Win32ReadMachine&) = delete;

    // The process's current folder becomes the setup folder, as for
    // setup.exe started in it; false when it cannot.
    static bool EnterFolder(const std::string& folder);

    MachineReadPorts Reads();

private:
    Win32System m_system;
    Win32Profile m_profile;
    Win32Registry m_registry;
    Win32Modules m_modules;
    Win32Processes m_windows;
    Win32Desktop m_desktop;
};

}  // namespace kestavo::win32
