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
    m_files[Normalize(path)] = File{std::move(content), ++m_lastGeneration};
}

void SimFiles::Remove(const std::string& path) {
    m_files.erase(Normalize(path));
}

std::optional<std::string> SimFiles::Read(const std::string& path) const {
    const auto it = m_files.find(Normalize(path));
    if (it == m_files.end()) {
        return std::nullopt;
    }
    return it->second.content;
}

std::uint64_t SimFiles::Generation(const std::string& path) const {
    const auto it = m_files.find(Normalize(path));
    return it == m_files.end() ? 0 : it->second.generation;
}

namespace {

// '*' takes any run of characters, '?' any one. Only the latest star is
// ever taken back, so a pattern of many stars costs the product of the two
// lengths at worst, not a search through every way of splitting the name.
bool GlobMatches(const std::string& pattern, const std::string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool SimFiles::AnyMatches(const std::string& pattern) const {
    const std::string wanted = Normalize(pattern);
    const std::string::size_type split = wanted.rfind('\\');
    const std::string folder = split == std::string::npos ? "" : wanted.substr(0, split + 1);
    const std::string name = wanted.substr(folder.size());
    for (const auto& file : m_files) {
        const std::string& path = file.first;
        if (path.compare(0, folder.size(), folder) != 0) {
            continue;
        }
        // The entry directly inside the folder: the file itself or the
        // folder that holds it.
        const std::string entry =
            path.substr(folder.size(), path.find('\\', folder.size()) - folder.size());
        if (GlobMatches(name, entry)) {
            return true;
        }
    }
    return false;
}

bool SimFiles::IsFolder(const std::string& path) const {
    std::string folder = Normalize(path);
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    const auto below = m_files.lower_bound(folder);
    return below != m_files.end() && below->first.compare(0, folder.size(), folder) == 0;
}

bool SimFiles::Exists(const std::string& path) const {
    return m_files.count(Normalize(path)) != 0;
}

}  // namespace kestavo::sim
