#include "platform/sim/SimFiles.h"

#include <cctype>
#include <utility>

namespace kestavo::sim {

std::string SimFiles::Normalize(const std::string& path) {
    std::string normal;
    normal.reserve(path.size());
    for (char c : path) {
        const char folded =
            (c == '/') ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (folded == '\\' && !normal.empty() && normal.back() == '\\') {
            continue;
        }
        normal.push_back(folded);
    }
    return normal;
}

void SimFiles::Put(const std::string& path, std::string content) {
    m_files[Normalize(path)] = std::move(content);
}

void SimFiles::Remove(const std::string& path) {
    m_files.erase(Normalize(path));
}

std::optional<std::string> SimFiles::Read(const std::string& path) const {
    const auto it = m_files.find(Normalize(path));
    if (it == m_files.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool SimFiles::Exists(const std::string& path) const {
    return m_files.count(Normalize(path)) != 0;
}

}  // namespace kestavo::sim
