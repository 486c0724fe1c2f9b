#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// What the action list can ask of the machine. Every probe gives its
// negative answer when it cannot find out, and reports what it found, the
// reason for the answer; only CloseProgram changes anything.
class SystemProbes {
public:
    explicit SystemProbes(Ports& ports) : m_ports(ports) {}

    // Below HKEY_LOCAL_MACHINE: the list of installed products, and the
    // value whose presence says .NET is installed.
    static constexpr const char* kUninstallKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    static constexpr const char* kDotNetKey = "SOFTWARE\\Microsoft\\.NETFramework";
    static constexpr const char* kDotNetValue = "InstallRoot";

    // A top-level window with exactly this title, in any letter case.
    bool IsProgramRunning(const std::string& title);
    // Posts a quit request to the window with this title, or else of this
    // class; false when there is none.
    bool CloseProgram(const std::string& name);
    // An uninstall entry with this key name or display name, in either
    // registry of a 64-bit Windows.
    bool IsProgramInstalled(const std::string& name);
    // Any file or folder matching the path, which may hold wildcards.
    bool FileExists(const std::string& path);
    bool IsDotNetPresent();
    // 95 or 98 on the Windows 9x family (Me counts as 98), 0 elsewhere.
    int GetWindows9xVersion();

private:
    bool IsInstalledIn(RegistryView view, const std::string& name);
    bool EntryMatches(Handle uninstall, const std::string& subkey, const std::string& name,
                      RegistryView view);

    Ports& m_ports;
};

}  // namespace kestavo
