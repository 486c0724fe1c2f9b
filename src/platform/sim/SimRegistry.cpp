#include "platform/sim/SimRegistry.h"

#include <cctype>
#include <utility>

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

void SimRegistry::Put(const std::string& keyPath, const std::string& valueName, std::string data) {
    m_keys[Normalize(keyPath)][Lower(valueName)] = std::move(data);
}

std::optional<std::string> SimRegistry::QueryMachineValue(const std::string& keyPath,
                                                          const std::string& valueName) {
    const std::string key = Normalize(keyPath);
    const auto found = m_keys.find(key);
    if (found == m_keys.end() || m_denied.count(key) != 0) {
        return std::nullopt;
    }
    const auto value = found->second.find(Lower(valueName));
    if (value == found->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

}  // namespace kestavo::sim
