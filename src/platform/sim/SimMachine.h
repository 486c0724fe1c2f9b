#pragma once

#include "platform/Ports.h"
#include "platform/sim/SimBrowser.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimDialogHost.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimFrameHost.h"
#include "platform/sim/SimModules.h"
#include "platform/sim/SimPictures.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimProfile.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimThreads.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// A whole simulated Windows machine: a test describes it through the public
// members, runs the program against Ports(), and reads the trace. It starts
// as Windows XP with its cmd.exe, and the Installer runtime 3.1 with its
// msiexec.exe.
class SimMachine {
public:
    SimMachine();
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    Ports& GetPorts() { return m_ports; }
    // A file in the setup folder (the current directory).
    void PutSetupFile(const std::string& name, std::string content);
    // Makes the machine another Windows, with its folders and only the
    // system programs it comes with: cmd.exe on the NT family (Windows 95,
    // 98 and Me have none), and no installer runtime.
    void InstallWindows(const ISystemPort::OsVersion& version, const std::string& windowsFolder,
                        const std::string& systemFolder);
    // The Windows Installer runtime in the system folder: msi.dll reporting
    // `version`, and msiexec.exe running as `installer` does.
    void InstallInstallerRuntime(ModuleVersion version, SimProgram installer);

    SimScheduler scheduler;
    SimTrace trace;
    SimFiles files;
    SimSystem system{scheduler, trace, files};
    SimProfile profile{files, system};
    SimDesktop desktop{scheduler, trace, files};
    SimDialogHost dialogs{scheduler, trace, files};
    SimThreads threads{scheduler, trace};
    SimProcesses processes{scheduler, trace, files, system, desktop};
    SimRegistry registry;
    SimModules modules;
    SimPictures pictures{scheduler, trace, files, desktop};
    SimFrameHost frames{scheduler, trace, desktop};
    SimBrowser browsers{scheduler, trace};

private:
    Ports m_ports;
};

}  // namespace kestavo::sim
