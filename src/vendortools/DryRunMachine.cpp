#include "vendortools/DryRunMachine.h"

namespace kestavo::vendortools {

// The profile, registry and module ports are questions only; the start-up
// services, drawing, dialogs, threads, processes, pictures, frames and
// browsers are effects, and the simulated machine's.
DryRunMachine::DryRunMachine(const MachineReadPorts& machine, sim::SimMachine& effects)
    : m_system(machine.system, effects.system),
      m_desktop(machine.desktop, effects.desktop),
      m_windows(machine.windows, effects.processes),
      m_ports{m_system,        machine.profile,  effects.system,  m_desktop,
              effects.desktop, effects.dialogs,  effects.threads, effects.processes,
              m_windows,       machine.registry, machine.modules, effects.pictures,
              effects.frames,  effects.browsers} {}

}  // namespace kestavo::vendortools
