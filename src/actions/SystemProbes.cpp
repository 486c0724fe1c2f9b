#include "actions/SystemProbes.h"

#include "actions/RegistryReader.h"
#include "core/DecisionReport.h"
#include "platform/WinConst.h"

namespace kestavo {

// An empty title matches no window: Windows would take it for any window
// without a title, and the condition would always hold.
bool SystemProbes::IsProgramRunning(const std::string& title) {
    const bool open = !title.empty() && m_ports.windows.FindWindowByTitle(title) != kNullHandle;
    Report(m_ports, open ? Decision::WindowOpen : Decision::NoWindowOpen, &title);
    return open;
}

// WM_QUIT ends the owner's message loop without asking anything; no close
// request is sent and nothing waits for the program to end. An empty name
// closes nothing, not some untitled window of another program.
bool SystemProbes::CloseProgram(const std::string& name) {
    Handle window = kNullHandle;
    if (!name.empty()) {
        window = m_ports.windows.FindWindowByTitle(name);
        if (window == kNullHandle) {
            window = m_ports.windows.FindWindowByClass(name);
        }
    }
    Report(m_ports, window == kNullHandle ? Decision::NoWindowToClose : Decision::WindowToClose,
           &name);
    if (window == kNullHandle) {
        return false;
    }
    m_ports.windows.PostQuit(window);
    return true;
}

// On a 64-bit Windows a product may be registered in either registry, as
// a 64-bit or a 32-bit program; both are searched, whatever the setup's
// own bitness. An empty name matches nothing, not an entry without a
// display name.
bool SystemProbes::IsProgramInstalled(const std::string& name) {
    const bool installed = !name.empty() && (m_ports.registry.HasTwoViews()
                                                 ? IsInstalledIn(RegistryView::Bits64, name) ||
                                                       IsInstalledIn(RegistryView::Bits32, name)
                                                 : IsInstalledIn(RegistryView::Own, name));
    Report(m_ports, installed ? Decision::ProductInstalled : Decision::ProductNotInstalled, &name);
    return installed;
}

// Every entry is looked at, whatever the length of its name or values; an
// entry whose name cannot be read is passed over, and a list that cannot be
// read further (deleted while it is walked) ends the search.
bool SystemProbes::IsInstalledIn(RegistryView view, const std::string& name) {
    IRegistryPort& registry = m_ports.registry;
    const Handle uninstall = registry.OpenMachineKey(kUninstallKey, view);
    if (uninstall == kNullHandle) {
        return false;
    }
    bool found = false;
    for (unsigned long i = 0; !found; ++i) {
        const auto subkey = registry.EnumKey(uninstall, i);
        if (!subkey) {
            break;
        }
        found = !subkey->empty() && EntryMatches(uninstall, *subkey, name, view);
    }
    registry.CloseKey(uninstall);
    return found;
}

// An entry whose unnamed value cannot be read is passed over, whatever its
// names. The entry is opened in the view its list was opened in: older
// 64-bit systems may send an open that names no view to the program's own
// registry, even below a key of the other one. The entry that matches is
// reported with its view, and whether its key or its display name did.
bool SystemProbes::EntryMatches(Handle uninstall, const std::string& subkey,
                                const std::string& name, RegistryView view) {
    IRegistryPort& registry = m_ports.registry;
    if (!registry.QueryDefaultValue(uninstall, subkey, view)) {
        return false;
    }
    if (subkey == name) {
        Report(m_ports, Decision::UninstallEntryNamed, &subkey, static_cast<int>(view));
        return true;
    }
    const auto displayName = registry.QueryValue(uninstall, subkey, "DisplayName", view);
    const bool shown = displayName && displayName->substr(0, displayName->find('\0')) == name;
    if (shown) {
        Report(m_ports, Decision::UninstallEntryShown, &subkey, static_cast<int>(view));
    }
    return shown;
}

// A path on a drive without its medium (A:\, an empty CD drive) would have
// Windows ask for a disk and wait for someone to answer; during the probe
// it fails at once instead. Every program started inherits the mode, and
// may rely on the boxes, so the mode the process was given is back as soon
// as the probe is done, and no program is started meanwhile.
bool SystemProbes::FileExists(const std::string& path) {
    ISystemPort& system = m_ports.system;
    bool found = false;
    if (!system.FullPathName(path).empty()) {
        const unsigned probing = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
        const unsigned given = system.SetErrorMode(probing);
        system.SetErrorMode(given | probing);
        found = system.AnyFileMatches(path);
        system.SetErrorMode(given);
    }
    Report(m_ports, found ? Decision::FileFound : Decision::FileNotFound, &path);
    return found;
}

bool SystemProbes::IsDotNetPresent() {
    const std::string root = ReadMachineRegistryString(m_ports.registry, kDotNetKey, kDotNetValue);
    const bool present = !root.empty();
    Report(m_ports, present ? Decision::DotNetPresent : Decision::DotNetAbsent, &root);
    return present;
}

int SystemProbes::GetWindows9xVersion() {
    const ISystemPort::OsVersion version = m_ports.system.GetOsVersion();
    if (version.platformId != VER_PLATFORM_WIN32_WINDOWS || version.major != 4) {
        Report(m_ports, Decision::WindowsVersion, nullptr, -1);
        return 0;
    }
    Report(m_ports, Decision::WindowsVersion, nullptr, static_cast<int>(version.minor));
    return version.minor == 0 ? 95 : 98;
}

}  // namespace kestavo
