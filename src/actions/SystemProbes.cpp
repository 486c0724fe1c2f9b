#include "actions/SystemProbes.h"

#include "actions/RegistryReader.h"
#include "platform/WinConst.h"

namespace kestavo {

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

// An empty title matches no window: Windows would take it for any window
// without a title, and the condition would always hold.
bool SystemProbes::IsProgramRunning(const std::string& title) {
    return !title.empty() && m_ports.windows.FindWindowByTitle(title) != kNullHandle;
}

// WM_QUIT ends the owner's message loop without asking anything; no close
// request is sent and nothing waits for the program to end. An empty name
// closes nothing, not some untitled window of another program.
bool SystemProbes::CloseProgram(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    Handle window = m_ports.windows.FindWindowByTitle(name);
    if (window == kNullHandle) {
        window = m_ports.windows.FindWindowByClass(name);
    }
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
    if (name.empty()) {
        return false;
    }
    IRegistryPort& registry = m_ports.registry;
    if (!registry.HasTwoViews()) {
        return IsInstalledIn(RegistryView::Own, name);
    }
    return IsInstalledIn(RegistryView::Bits64, name) || IsInstalledIn(RegistryView::Bits32, name);
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
// registry, even below a key of the other one.
bool SystemProbes::EntryMatches(Handle uninstall, const std::string& subkey,
                                const std::string& name, RegistryView view) {
    IRegistryPort& registry = m_ports.registry;
    if (!registry.QueryDefaultValue(uninstall, subkey, view)) {
        return false;
    }
    if (subkey == name) {
        return true;
    }
    const auto displayName = registry.QueryValue(uninstall, subkey, "DisplayName", view);
    return displayName && displayName->substr(0, displayName->find('\0')) == name;
}

// A path on a drive without its medium (A:\, an empty CD drive) would have
// Windows ask for a disk and wait for someone to answer; during the probe
// it fails at once instead. Every program started inherits the mode, and
// may rely on the boxes, so the mode the process was given is back as soon
// as the probe is done, and no program is started meanwhile.
bool SystemProbes::FileExists(const std::string& path) {
    ISystemPort& system = m_ports.system;
    if (system.FullPathName(path).empty()) {
        return false;
    }
    const unsigned probing = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    const unsigned given = system.SetErrorMode(probing);
    system.SetErrorMode(given | probing);
    const bool found = system.AnyFileMatches(path);
    system.SetErrorMode(given);
    return found;
}

bool SystemProbes::IsDotNetPresent() {
    return !ReadMachineRegistryString(m_ports.registry, "SOFTWARE\\Microsoft\\.NETFramework",
                                      "InstallRoot")
                .empty();
}

int SystemProbes::GetWindows9xVersion() {
    const ISystemPort::OsVersion version = m_ports.system.GetOsVersion();
    if (version.platformId != VER_PLATFORM_WIN32_WINDOWS || version.major != 4) {
        return 0;
    }
    return version.minor == 0 ? 95 : 98;
}

}  // namespace kestavo
