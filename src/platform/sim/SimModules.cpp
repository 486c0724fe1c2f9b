#include "platform/sim/SimModules.h"

#include <utility>

namespace kestavo::sim {

std::optional<ModuleVersion> SimModules::DllGetVersion(const std::string& path) {
    versionsAsked.push_back(path);
    const auto it = m_dllVersions.find(SimFiles::Normalize(path));
    if (it == m_dllVersions.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<std::string> SimModules::FileVersionString(const std::string& path) {
    const auto it = m_fileVersions.find(SimFiles::Normalize(path));
    if (it == m_fileVersions.end()) {
        return std::nullopt;
    }
    return it->second;
}

void SimModules::SetDllVersion(const std::string& path, ModuleVersion version) {
    m_dllVersions[SimFiles::Normalize(path)] = version;
}

void SimModules::SetFileVersion(const std::string& path, std::string text) {
    m_fileVersions[SimFiles::Normalize(path)] = std::move(text);
}

}  // namespace kestavo::sim
