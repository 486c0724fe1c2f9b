#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/IRegistryPort.h"

namespace kestavo::sim {

// The simulated machine's HKEY_LOCAL_MACHINE: keys by path, each with its
// values, compared without regard to case as the registry does. Subkeys
// are listed in the order of their names.
class SimRegistry : public IRegistryPort {
public:
    // Sets a value, making the key and the keys above it. An empty value
    // name is the key's unnamed value.
    void Put(const std::string& keyPath, const std::string& valueName, std::string data);
    void AddKey(const std::string& keyPath);
    // Opening the key fails, as for a user without the rights to read it.
    void Deny(const std::string& keyPath) { m_denied.insert(Normalize(keyPath)); }

    std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                 const std::string& valueName) override;
    Handle OpenMachineKey(const std::string& keyPath) override;
    std::optional<std::string> EnumKey(Handle key, unsigned long index,
                                       std::size_t capacity) override;
    bool QueryDefaultValue(Handle key, const std::string& subkey, std::size_t capacity) override;
    void CloseKey(Handle key) override { m_open.erase(key); }

    std::size_t OpenKeys() const { return m_open.size(); }

private:
    struct Key {
        std::string name;
        std::map<std::string, std::string> values;
    };

    static std::string Normalize(const std::string& keyPath);
    const Key* Find(const std::string& keyPath) const;

    std::map<std::string, Key> m_keys;
    std::set<std::string> m_denied;
    std::map<Handle, std::string> m_open;
    Handle m_nextKey = 0x7000;
};

}  // namespace kestavo::sim
