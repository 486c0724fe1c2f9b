#include "platform/sim/SimRegistry.h"

#include <cctype>
#include <utility>
#include <vector>

namespace kestavo::sim {

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

}  // namespace

// A trailing backslash names the same key.
std::string SimRegistry::Normalize(const std::string& keyPath) {
    std::string normal = Lower(keyPath);
    while (!normal.empty() && normal.back() == '\\') {
        normal.pop_back();
    }
    return normal;
}

SimRegistry::Keys& SimRegistry::ViewKeys(RegistryView view) {
    const bool bits64 = view == RegistryView::Own ? ownIs64Bit : view == RegistryView::Bits64;
    return bits64 ? m_keys64 : m_keys32;
}

void SimRegistry::AddKey(const std::string& keyPath, RegistryView view) {
    Keys& keys = ViewKeys(view);
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    for (std::string::size_type end = 0; end != std::string::npos;) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        Key& key = keys[Normalize(prefix)];
        key.name = prefix.substr(prefix.rfind('\\') + 1);
    }
}

void SimRegistry::Put(const std::string& keyPath, const std::string& valueName, std::string data,
                      RegistryView view) {
    AddKey(keyPath, view);
    ViewKeys(view)[Normalize(keyPath)].values[Lower(valueName)] = std::move(data);
}

const SimRegistry::Key* SimRegistry::Find(const Keys& keys, const std::string& keyPath) const {
    const std::string normal = Normalize(keyPath);
    const auto found = keys.find(normal);
    if (found == keys.end() || m_denied.count(normal) != 0) {
        return nullptr;
    }
    return &found->second;
}

std::optional<std::string> SimRegistry::QueryMachineValue(const std::string& keyPath,
                                                          const std::string& valueName) {
    const Key* key = Find(ViewKeys(RegistryView::Own), keyPath);
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto value = key->values.find(Lower(valueName));
    if (value == key->values.end()) {
        return std::nullopt;
    }
    return value->second;
}

// Every open is noted; one naming a view on a system with only one registry
// is refused.
bool SimRegistry::AdmitsOpen(const std::string& keyPath, RegistryView view) {
    m_opens.emplace_back(keyPath, view);
    if (view != RegistryView::Own && !twoViews) {
        ++m_rejectedViews;
        return false;
    }
    return true;
}

Handle SimRegistry::OpenMachineKey(const std::string& keyPath, RegistryView view) {
    if (!AdmitsOpen(keyPath, view)) {
        return kNullHandle;
    }
    Keys& keys = ViewKeys(view);
    if (Find(keys, keyPath) == nullptr) {
        return kNullHandle;
    }
    const Handle handle = m_nextKey++;
    m_open[handle] = {&keys, Normalize(keyPath)};
    return handle;
}

std::optional<std::string> SimRegistry::EnumKey(Handle key, unsigned long index) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        return std::nullopt;
    }
    const std::string prefix = open->second.second + "\\";
    unsigned long position = 0;
    for (const auto& entry : *open->second.first) {
        if (entry.first.compare(0, prefix.size(), prefix) == 0 &&
            entry.first.find('\\', prefix.size()) == std::string::npos && position++ == index) {
            return entry.second.name;
        }
    }
    return std::nullopt;
}

const SimRegistry::Key* SimRegistry::FindBelow(Handle key, const std::string& subkey,
                                               RegistryView view) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        return nullptr;
    }
    const std::string path = open->second.second + "\\" + subkey;
    return AdmitsOpen(path, view) ? Find(ViewKeys(view), path) : nullptr;
}

// An unnamed value that was never set reads as empty text.
bool SimRegistry::QueryDefaultValue(Handle key, const std::string& subkey, RegistryView view) {
    return FindBelow(key, subkey, view) != nullptr;
}

std::optional<std::string> SimRegistry::QueryValue(Handle key, const std::string& subkey,
                                                   const std::string& valueName,
                                                   RegistryView view) {
    const Key* child = FindBelow(key, subkey, view);
    if (child == nullptr) {
        return std::nullopt;
    }
    const auto value = child->values.find(Lower(valueName));
    if (value == child->values.end()) {
        return std::nullopt;
    }
    return value->second;
}

}  // namespace kestavo::sim
