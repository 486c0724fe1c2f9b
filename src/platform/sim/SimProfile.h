#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/IProfilePort.h"
#include "platform/sim/IniFile.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimSystem.h"

namespace kestavo::sim {

// The simulated machine's profile-string service: an INI reader over the
// simulated files that gives the answers Windows' own reader gives.
class SimProfile : public IProfilePort {
public:
    explicit SimProfile(const SimFiles& files) : m_files(files) {}
    // With the machine's kernel, a relative path with a folder in it
    // (".\\kestavo.tag") is taken from the current folder, as Windows takes
    // it, whether or not the program can name that folder itself.
    SimProfile(const SimFiles& files, SimSystem& system) : m_files(files), m_system(&system) {}

    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& key, std::size_t capacity) override;
    std::vector<std::string> ReadKeyNames(const std::string& file,
                                          const std::string& section) override;

private:
    // The parsed file, or null when it cannot be read; parsed again
    // whenever the file has changed, as the real service notices too.
    const IniFile* Parse(const std::string& file);
    std::string Qualify(const std::string& file) const;
    // The machine's ANSI code page: files without a byte-order mark are read
    // in it, and every answer is given in it.
    unsigned CodePage() const;

    static std::u16string CopyValue(std::u16string value, std::size_t capacity);

    const SimFiles& m_files;
    SimSystem* m_system = nullptr;
    struct Parsed {
        std::uint64_t generation = 0;
        unsigned codePage = 0;
        std::unique_ptr<IniFile> ini;
    };
    std::map<std::string, Parsed> m_parsed;
};

}  // namespace kestavo::sim
