#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/IModulePort.h"
#include "platform/sim/SimFiles.h"

namespace kestavo::sim {

// Libraries of the simulated machine: what "DllGetVersion" reports and what
// version resources say, by path, and the system's user-interface language.
class SimModules : public IModulePort {
public:
    std::optional<ModuleVersion> DllGetVersion(const std::string& path) override;
    std::optional<std::string> FileVersionString(const std::string& path) override;
    UiLanguage SystemDefaultUiLanguage() override { return uiLanguage; }

    void SetDllVersion(const std::string& path, ModuleVersion version);
    void SetFileVersion(const std::string& path, std::string text);

    // Windows XP in US English unless a test says otherwise.
    UiLanguage uiLanguage{true, true, 0x0409};
    // Every path whose "DllGetVersion" was asked for, as the program formed
    // it (the machine's own lookups would forgive a doubled separator).
    std::vector<std::string> versionsAsked;

private:
    std::map<std::string, ModuleVersion> m_dllVersions;
    std::map<std::string, std::string> m_fileVersions;
};

}  // namespace kestavo::sim
