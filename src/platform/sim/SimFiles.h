#pragma once

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

    static std::string Normalize(const std::string& path);

private:
    std::map<std::string, std::string> m_files;
};

}  // namespace kestavo::sim
