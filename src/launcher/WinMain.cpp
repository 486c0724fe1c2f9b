#include <windows.h>

#include "driver/ProcessHardening.h"
#include "driver/SetupApp.h"
#include "platform/win32/Win32Machine.h"

// The machine is never destroyed. The splash and billboard threads use it
// until the process ends, and may still be busy when the run does (Cancel
// during the splash; billboards outlive the installation): a machine on
// this stack would be gone while they still paint and count their timers.
// The process's end takes it, with the threads. Making it loads nothing, so
// the process is hardened before any library can be looked for by name.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    auto* machine = new kestavo::win32::Win32Machine(instance);
    kestavo::HardenProcess(machine->GetPorts().startup);
    kestavo::SetupApp app(machine->GetPorts());
    app.InitInstance();
    return static_cast<int>(app.ExitCode());
}
