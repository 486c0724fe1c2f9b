#pragma once

#include <cstddef>
#include <string>

#include "platform/IProfilePort.h"
#include "platform/ISystemPort.h"

namespace kestavo {

// The vendor's description of the setup, an INI file in the setup folder,
// read one key at a time when the value is needed. Nothing is cached: the
// file is read again for every key.
class TagFile {
public:
    static constexpr const char* kFileName = "kestavo.tag";
    static constexpr const char* kDataFileName = "data.tag";
    // Capacities of the buffers values are read into: a value keeps at most
    // one character less.
    static constexpr std::size_t kValueCapacity = 255;
    static constexpr std::size_t kListCapacity = 100;

    TagFile(ISystemPort& system, IProfilePort& profile, std::string fileName = kFileName);

    std::string Path() const;
    bool Exists() const;
    std::string Read(const std::string& section, const std::string& key,
                     std::size_t capacity) const;
    int ReadInt(const std::string& section, const std::string& key, std::size_t capacity) const;
    // A list section's TOTAL; zero or negative means an empty list.
    int ReadCount(const std::string& section) const;

    // The C library's atoi rule: leading blanks, an optional sign, then
    // decimal digits up to the first other character; none gives 0. Values
    // beyond the range of int stop at its ends.
    static int AtoI(const std::string& text);
    // The key of entry `index` of a list: the letter and the index, "A12".
    static std::string ListKey(char letter, int index);

private:
    ISystemPort& m_system;
    IProfilePort& m_profile;
    std::string m_fileName;
};

}  // namespace kestavo
