#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/IRegistryPort.h"

namespace kestavo::sim {

// The simulated machine's HKEY_LOCAL_MACHINE: values by key path and name,
// compared without regard to case as the registry does.
class SimRegistry : public IRegistryPort {
public:
    void Put(const std::string& keyPath, const std::string& valueName, std::string data);
    // Opening the key fails, as for a user without the rights to read it.
    void Deny(const std::string& keyPath) { m_denied.insert(Normalize(keyPath)); }

    std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                 const std::string& valueName) override;

private:
    static std::string Normalize(const std::string& keyPath);

    std::map<std::string, std::map<std::string, std::string>> m_keys;
    std::set<std::string> m_denied;
};

}  // namespace kestavo::sim
