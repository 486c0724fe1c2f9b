// Compiled by CTest and never linked: each case gives a dry run a way to
// change the machine it asks, and must not compile. Without a case the
// file compiles, so each case fails for its own line.
#include "platform/MachineReadPorts.h"
#include "platform/Ports.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/DryRunMachine.h"

namespace kestavo::vendortools {

// `real` is the machine asked; `ports` any machine's full ports, the real
// one's among them; `effects` the simulated machine that does everything.
void Wire(const MachineReadPorts& real, [[maybe_unused]] Ports& ports, sim::SimMachine& effects) {
    DryRunMachine dryRun(real, effects);
#if defined(WIRE_EFFECTS_FROM_PORTS)
    DryRunMachine wired(real, ports);
#elif defined(WIRE_SYSTEM_EFFECTS_FROM_PORT)
    DryRunSystem wired(real.system, ports.system);
#elif defined(WIRE_WINDOW_EFFECTS_FROM_PORT)
    DryRunWindows wired(real.windows, ports.windows);
#elif defined(WIRE_DESKTOP_EFFECTS_FROM_PORT)
    DryRunDesktop wired(real.desktop, ports.desktop);
#elif defined(WIRE_PROCESSES_AS_WINDOWS)
    MachineReadPorts wired{real.system,  real.profile,    real.registry,
                           real.modules, ports.processes, real.desktop};
#elif defined(WIRE_POST_QUIT)
    real.windows.PostQuit(kNullHandle);
#elif defined(WIRE_MESSAGE_BOX)
    real.desktop.ShowMessageBox("", "", 0);
#elif defined(WIRE_ERROR_MODE)
    real.system.SetErrorMode(0);
#endif
}

}  // namespace kestavo::vendortools
