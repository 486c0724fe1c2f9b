// This Windows, through the Windows adapter's read ports alone.
#include "platform/win32/Win32ReadMachine.h"
#include "vendortools/ThisMachine.h"

namespace kestavo::vendortools {

namespace {

class Win32ThisMachine : public ThisMachine {
public:
    MachineReadPorts Reads() override { return m_machine.Reads(); }

private:
    win32::Win32ReadMachine m_machine;
};

}  // namespace

std::unique_ptr<ThisMachine> ThisMachine::Open(const std::string& folder, std::string& error) {
    if (!folder.empty() && !win32::Win32ReadMachine::EnterFolder(folder)) {
        error = folder + " cannot be made the current folder";
        return nullptr;
    }
    return std::make_unique<Win32ThisMachine>();
}

}  // namespace kestavo::vendortools
