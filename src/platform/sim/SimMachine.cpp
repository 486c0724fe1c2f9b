#include "platform/sim/SimMachine.h"

#include <utility>

namespace kestavo::sim {

SimMachine::SimMachine()
    : m_ports{system,    profile,   system,   desktop, desktop,  dialogs, threads,
              processes, processes, registry, modules, pictures, frames,  browsers} {
    const std::string runtime = system.systemDirectory + "\\msi.dll";
    files.Put(runtime, "MZ");
    modules.SetDllVersion(runtime, ModuleVersion{3, 1, 4000});
    processes.AddProgram(system.systemDirectory + "\\msiexec.exe", SimProgram{});
}

// Threads still running when a test is done are stopped while every part
// of the machine they may touch on their way out is still there.
SimMachine::~SimMachine() {
    scheduler.StopOtherThreads();
}

void SimMachine::PutSetupFile(const std::string& name, std::string content) {
    std::string folder = system.currentDirectory;
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    files.Put(folder + name, std::move(content));
}

}  // namespace kestavo::sim
