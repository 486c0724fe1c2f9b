#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestavo {

// Reads one value of an INI file the way the profile-string service does:
// section and key names without regard to case, the value trimmed and any
// surrounding quotes removed. A missing file, section or key reads as empty.
// Never writes and never caches.
class IProfilePort {
public:
    virtual ~IProfilePort() = default;

    static constexpr std::size_t kKeyListCapacity = std::size_t{4} << 20;

    // The value cut to capacity - 1 characters, as a zero-filled buffer of
    // `capacity` characters would hold it.
    virtual std::string ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t capacity) = 0;
    // The names of the section's keys, in file order, as the service lists
    // them for a null key name; a key line with an empty name ("=x") lists
    // as an empty name. A listing that does not fit kKeyListCapacity
    // characters (each name with its terminating zero, and two more) lists
    // no keys at all: no tag file needs half a million keys in a section,
    // and a buffer grown without bound would end the program instead.
    virtual std::vector<std::string> ReadKeyNames(const std::string& file,
                                                  const std::string& section) = 0;
};

}  // namespace kestavo
