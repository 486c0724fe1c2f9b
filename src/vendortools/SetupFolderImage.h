#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace kestavo::vendortools {

// A vendor's setup folder as the tools see it: every file's path relative to
// the folder, with its bytes and size (the bytes of a very large file are
// left out: the tools need to know only that it is there, and how large). It can be laid out on a
// simulated machine as the setup folder setup.exe starts in.
class SetupFolderImage {
public:
    // Where the setup folder lies on a simulated machine.
    static constexpr const char* kSimulatedFolder = "C:\\SETUP";
    // Files larger than this are known by name and size alone.
    static constexpr std::uintmax_t kLargestKept = 64u << 20;

    // Reads the folder and everything below it; nothing when it is no folder.
    static std::optional<SetupFolderImage> Load(const std::filesystem::path& folder);

    // A file given by the test or the caller; `relativePath` with backslashes.
    // A large one is given by its size alone.
    void Put(const std::string& relativePath, std::string bytes);
    void PutLarge(const std::string& relativePath, std::uintmax_t size);

    // The bytes of a file of the folder, or nothing when it is not there.
    // Names compare without regard to case, with either separator.
    std::optional<std::string> Bytes(const std::string& relativePath) const;
    bool Has(const std::string& relativePath) const;
    // The file's size in bytes, or nothing when it is not there.
    std::optional<std::uintmax_t> Size(const std::string& relativePath) const;
    // Every file, as relative paths with backslashes.
    std::vector<std::string> Files() const;
    // Whether Windows starts the file as a program: a name ending in .exe,
    // .com or .bat, or an executable's header (MZ) whatever the name.
    bool IsProgram(const std::string& relativePath) const;
    // The programs of the folder, as relative paths.
    std::vector<std::string> Programs() const;

    // Lays the files out in the folder and makes it the current folder.
    void PutInto(sim::SimMachine& machine, const std::string& folder = kSimulatedFolder) const;

private:
    static std::string Normalize(const std::string& relativePath);

    struct File {
        std::string relativePath;
        std::string bytes;
        std::uintmax_t size = 0;
    };
    std::map<std::string, File> m_files;
};

}  // namespace kestavo::vendortools
