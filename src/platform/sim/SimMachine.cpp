#include "platform/sim/SimMachine.h"

#include <utility>

#include "platform/WinConst.h"

namespace kestavo::sim {

SimMachine::SimMachine()
    : m_ports{system,    profile,   system,   desktop, desktop,  dialogs, threads,
              processes, processes, registry, modules, pictures, frames,  browsers} {
    processes.AddProgram(system.systemDirectory + "\\cmd.exe", SimProgram{});
    InstallInstallerRuntime(ModuleVersion{3, 1, 4000}, SimProgram{});
}

// Threads still running when a test is done are stopped while every part
// of the machine they may touch on their way out is still there.
SimMachine::~SimMachine() {
    scheduler.StopOtherThreads();
}

void SimMachine::InstallWindows(const ISystemPort::OsVersion& version,
                                const std::string& windowsFolder, const std::string& systemFolder) {
    for (const char* program : {"\\cmd.exe", "\\msiexec.exe"}) {
        processes.RemoveProgram(system.systemDirectory + program);
    }
    files.Remove(system.systemDirectory + "\\msi.dll");
    system.osVersion = version;
    system.windowsDirectory = windowsFolder;
    system.systemDirectory = systemFolder;
    system.tempDirectory = windowsFolder + "\\TEMP\\";
    if (version.platformId == VER_PLATFORM_WIN32_NT) {
        processes.AddProgram(systemFolder + "\\cmd.exe", SimProgram{});
    }
}

void SimMachine::InstallInstallerRuntime(ModuleVersion version, SimProgram installer) {
    const std::string runtime = system.systemDirectory + "\\msi.dll";
    files.Put(runtime, "MZ");
    modules.SetDllVersion(runtime, version);
    processes.AddProgram(system.systemDirectory + "\\msiexec.exe", std::move(installer));
}

void SimMachine::PutSetupFile(const std::string& name, std::string content) {
    std::string folder = system.currentDirectory;
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    files.Put(folder + name, std::move(content));
}

}  // namespace kestavo::sim
