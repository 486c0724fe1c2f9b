#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace kestavo::vendortools {

// A vendor's setup folder as the tools see it: every file's path relative to
// the folder, with its bytes (those of a very large file are left out: the
// tools need to know only that it is there). It can be laid out on a
// simulated machine as the setup folder setup.exe starts in.
class SetupFolderImage {
public:
    // Where the setup folder lies on a simulated machine.
    static constexpr const char* kSimulatedFolder = "C:\\SETUP";
    // Files larger than this are known by name alone.
    static constexpr std::uintmax_t kLargestKept = 64u << 20;

    // Reads the folder and everything below it; nothing when it is no folder.
    static std::optional<SetupFolderImage> Load(const std::filesystem::path& folder);

    // A file given by the test or the caller; `relativePath` with backslashes.
    void Put(const std::string& relativePath, std::string bytes);

    // The bytes of a file of the folder, or nothing when it is not there.
    // Names compare without regard to case, with either separator.
    std::optional<std::string> Bytes(const std::string& relativePath) const;
    bool Has(const std::string& relativePath) const;
    // The programs of the folder (.exe, .com, .bat), as relative paths.
    std::vector<std::string> Programs() const;

    // Lays the files out in the folder and makes it the current folder.
    void PutInto(sim::SimMachine& machine, const std::string& folder = kSimulatedFolder) const;

private:
    static std::string Normalize(const std::string& relativePath);

    struct File {
        std::string relativePath;
        std::string bytes;
    };
    std::map<std::string, File> m_files;
};

}  // namespace kestavo::vendortools
