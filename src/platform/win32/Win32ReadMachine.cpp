#include "platform/win32/Win32ReadMachine.h"

#include <windows.h>

namespace kestavo::win32 {

bool Win32ReadMachine::EnterFolder(const std::string& folder) {
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

MachineReadPorts Win32ReadMachine::Reads() {
    return MachineReadPorts{m_system,  m_profile, m_registry, m_modules,
                            m_windows, m_desktop, GetACP()};
}

}  // namespace kestavo::win32
