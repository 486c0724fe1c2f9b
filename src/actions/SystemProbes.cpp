#include "actions/SystemProbes.h"

#include "actions/RegistryReader.h"
#include "platform/WinConst.h"

namespace kestavo {

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Subkey names go through a buffer of 80 characters, the terminator
// included, and unnamed values through one of 256 bytes.
constexpr std::size_t kSubkeyNameCapacity = 80;
constexpr std::size_t kDefaultValueCapacity = 256;

}  // namespace

bool SystemProbes::IsProgramRunning(const std::string& title) {
    return m_ports.windows.FindWindowByTitle(title) != kNullHandle;
}

// WM_QUIT ends the owner's message loop without asking anything; no close
// request is sent and nothing waits for the program to end.
bool SystemProbes::CloseProgram(const std::string& name) {
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

// The first over-long subkey name ends the search, as the end of the list
// does. An empty name matches nothing, not an entry without a display name.
bool SystemProbes::IsProgramInstalled(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    const Handle uninstall = m_ports.registry.OpenMachineKey(kUninstallKey);
    if (uninstall == kNullHandle) {
        return false;
    }
    bool found = false;
    for (unsigned long i = 0; !found; ++i) {
        const auto subkey = m_ports.registry.EnumKey(uninstall, i, kSubkeyNameCapacity);
        if (!subkey) {
            break;
        }
        found = EntryMatches(uninstall, *subkey, name);
    }
    m_ports.registry.CloseKey(uninstall);
    return found;
}

// An entry whose unnamed value cannot be read is passed over, whatever its
// names.
bool SystemProbes::EntryMatches(Handle uninstall, const std::string& subkey,
                                const std::string& name) {
    if (!m_ports.registry.QueryDefaultValue(uninstall, subkey, kDefaultValueCapacity)) {
        return false;
    }
    return subkey == name ||
           ReadMachineRegistryString(m_ports.registry, std::string(kUninstallKey) + "\\" + subkey,
                                     "DisplayName") == name;
}

bool SystemProbes::FileExists(const std::string& path) {
    if (m_ports.system.FullPathName(path).empty()) {
        return false;
    }
    return m_ports.system.AnyFileMatches(path);
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
