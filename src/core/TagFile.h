#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

    // The name must outlive the object: one of the two above.
    TagFile(ISystemPort& system, IProfilePort& profile, const char* fileName = kFileName);

    std::string Path() const;
    bool Exists() const;
    // Section and key names are mostly literals; the strings the profile
    // service takes are made once, here, instead of at every call.
    std::string Read(std::string_view section, std::string_view key, std::size_t capacity) const;
    int ReadInt(std::string_view section, std::string_view key, std::size_t capacity) const;
    // Whether a value read into a buffer of `capacity` characters fills it,
    // as one the buffer cut does: the reader cannot tell them apart.
    static bool FillsBuffer(const std::string& value, std::size_t capacity) {
        return value.size() + 1 >= capacity;
    }
    // A list section's TOTAL; zero or negative means an empty list.
    int ReadCount(std::string_view section) const;
    // The numbers of the records of a list section that have a key with a
    // letter from `first` to `last` (upper case), ascending: a number is
    // there once for each such key.
    std::vector<int> RecordNumbers(std::string_view section, char first, char last) const;

    // The C library's atoi rule: leading blanks, an optional sign, then
    // decimal digits up to the first other character; none gives 0. Values
    // beyond the range of int stop at its ends.
    static int AtoI(const std::string& text);
    // The key of entry `index` of a list: the letter and the index, "A12".
    static std::string ListKey(char letter, int index);
    // The index of a key of that form, whatever its letter: the digits as
    // ListKey writes them (no sign, blank or leading zero); -1 for any
    // other key.
    static int ListIndex(std::string_view key);

private:
    ISystemPort& m_system;
    IProfilePort& m_profile;
    const char* m_fileName;
};

}  // namespace kestavo
