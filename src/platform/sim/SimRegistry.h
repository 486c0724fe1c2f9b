#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/IRegistryPort.h"

namespace kestavo::sim {

// The simulated machine's HKEY_LOCAL_MACHINE: keys by path, each with its
// values, compared without regard to case as the registry does. Subkeys
// are listed in the order of their names. By default it is a 32-bit
// program's only registry; `twoViews` makes the machine a 64-bit Windows,
// with a 64-bit registry beside the program's own (the 32-bit one, unless
// `ownIs64Bit`). A key below an open one is looked for in the view its
// open names, as older 64-bit systems do: one that names none is sought in
// the program's own registry.
class SimRegistry : public IRegistryPort {
public:
    // Sets a value, making the key and the keys above it. An empty value
    // name is the key's unnamed value. Without a view, in the program's own.
    void Put(const std::string& keyPath, const std::string& valueName, std::string data,
             RegistryView view = RegistryView::Own);
    void AddKey(const std::string& keyPath, RegistryView view = RegistryView::Own);
    // Opening the key fails, as for a user without the rights to read it.
    void Deny(const std::string& keyPath) { m_denied.insert(Normalize(keyPath)); }

    bool HasTwoViews() override { return twoViews; }
    std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                 const std::string& valueName) override;
    Handle OpenMachineKey(const std::string& keyPath, RegistryView view) override;
    std::optional<std::string> EnumKey(Handle key, unsigned long index) override;
    bool QueryDefaultValue(Handle key, const std::string& subkey, RegistryView view) override;
    std::optional<std::string> QueryValue(Handle key, const std::string& subkey,
                                          const std::string& valueName, RegistryView view) override;
    void CloseKey(Handle key) override { m_open.erase(key); }

    std::size_t OpenKeys() const { return m_open.size(); }
    // Keys opened with a view named on a system that has only one.
    std::size_t RejectedViews() const { return m_rejectedViews; }
    // Every key the program asked to open, by path, with the view it named.
    const std::vector<std::pair<std::string, RegistryView>>& Opens() const { return m_opens; }

    bool twoViews = false;
    bool ownIs64Bit = false;

private:
    struct Key {
        std::string name;
        std::map<std::string, std::string> values;
    };
    using Keys = std::map<std::string, Key>;

    static std::string Normalize(const std::string& keyPath);
    Keys& ViewKeys(RegistryView view);
    const Key* Find(const Keys& keys, const std::string& keyPath) const;
    bool AdmitsOpen(const std::string& keyPath, RegistryView view);
    const Key* FindBelow(Handle key, const std::string& subkey, RegistryView view);

    // The 32-bit registry and the 64-bit one.
    Keys m_keys32;
    Keys m_keys64;
    std::set<std::string> m_denied;
    // Each open key: its registry and its path.
    std::map<Handle, std::pair<Keys*, std::string>> m_open;
    Handle m_nextKey = 0x7000;
    std::size_t m_rejectedViews = 0;
    std::vector<std::pair<std::string, RegistryView>> m_opens;
};

}  // namespace kestavo::sim
