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

void SimRegistry::AddKey(const std::string& keyPath) {
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    for (std::string::size_type end = 0; end != std::string::npos;) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        Key& key = m_keys[Normalize(prefix)];
        key.name = prefix.substr(prefix.rfind('\\') + 1);
    }
}

void SimRegistry::Put(const std::string& keyPath, const std::string& valueName, std::string data) {
    AddKey(keyPath);
    m_keys[Normalize(keyPath)].values[Lower(valueName)] = std::move(data);
}

const SimRegistry::Key* SimRegistry::Find(const std::string& keyPath) const {
    const std::string normal = Normalize(keyPath);
    const auto found = m_keys.find(normal);
    if (found == m_keys.end() || m_denied.count(normal) != 0) {
        return nullptr;
    }
    return &found->second;
}

std::optional<std::string> SimRegistry::QueryMachineValue(const std::string& keyPath,
                                                          const std::string& valueName) {
    const Key* key = Find(keyPath);
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto value = key->values.find(Lower(valueName));
    if (value == key->values.end()) {
        return std::nullopt;
    }
    return value->second;
}

Handle SimRegistry::OpenMachineKey(const std::string& keyPath) {
    if (Find(keyPath) == nullptr) {
        return kNullHandle;
    }
    const Handle handle = m_nextKey++;
    m_open[handle] = Normalize(keyPath);
    return handle;
}

std::optional<std::string> SimRegistry::EnumKey(Handle key, unsigned long index,
                                                std::size_t capacity) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        return std::nullopt;
    }
    const std::string prefix = open->second + "\\";
    std::vector<const Key*> children;
    for (const auto& entry : m_keys) {
        if (entry.first.compare(0, prefix.size(), prefix) == 0 &&
            entry.first.find('\\', prefix.size()) == std::string::npos) {
            children.push_back(&entry.second);
        }
    }
    if (index >= children.size() || children[index]->name.size() >= capacity) {
        return std::nullopt;
    }
    return children[index]->name;
}

// An unnamed value that was never set reads as empty text; one that does
// not fit the buffer, terminator included, cannot be read.
bool SimRegistry::QueryDefaultValue(Handle key, const std::string& subkey, std::size_t capacity) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        return false;
    }
    const Key* child = Find(open->second + "\\" + subkey);
    if (child == nullptr) {
        return false;
    }
    const auto value = child->values.find("");
    return value == child->values.end() || value->second.size() < capacity;
}

}  // namespace kestavo::sim
