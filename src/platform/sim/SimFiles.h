#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kestavo::sim {

// The simulated machine's files: whole contents by path. Paths compare as
// Windows compares them: without regard to case, '/' the same as '\', and a
// run of separators the same as one.
class SimFiles {
public:
    void Put(const std::string& path, std::string content);
    void Remove(const std::string& path);
    std::optional<std::string> Read(const std::string& path) const;
    bool Exists(const std::string& path) const;
    // Changes whenever the file is written or removed; 0 when it is missing.
    std::uint64_t Generation(const std::string& path) const;
    // Whether any file or folder matches, as a first-file search finds
    // them: '*' and '?' in the last part of the path, folders implied by
    // the files below them.
    bool AnyMatches(const std::string& pattern) const;
    // Whether the path names a folder: one that holds a file.
    bool IsFolder(const std::string& path) const;

    static std::string Normalize(const std::string& path);

private:
    struct File {
        std::string content;
        std::uint64_t generation = 0;
    };
    std::map<std::string, File> m_files;
    std::uint64_t m_lastGeneration = 0;
};

}  // namespace kestavo::sim
