#pragma once

#include "platform/MachineReadPorts.h"
#include "platform/Ports.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/DryRunDesktop.h"
#include "vendortools/DryRunSystem.h"
#include "vendortools/DryRunWindows.h"

namespace kestavo::vendortools {

// The machine of a dry run: the program's questions are answered by a real
// machine's read ports, and every effect is the simulated machine's. It is
// made of nothing else, so nothing the program does can reach the real
// machine: the real side is given as read ports, whose types have no method
// that changes anything, and the effects only as the simulated machine.
class DryRunMachine {
public:
    DryRunMachine(const MachineReadPorts& machine, sim::SimMachine& effects);
    DryRunMachine(const DryRunMachine&) = delete;
    DryRunMachine& operator=(const DryRunMachine&) = delete;

    Ports& GetPorts() { return m_ports; }

private:
    DryRunSystem m_system;
    DryRunDesktop m_desktop;
    DryRunWindows m_windows;
    Ports m_ports;
};

}  // namespace kestavo::vendortools
