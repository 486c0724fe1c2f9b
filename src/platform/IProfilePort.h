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
    // The names of the section's keys with a value, in file order. A line
    // with an empty name ("=x") is left out: no read by name finds it. A
    // section whose lines do not fit kKeyListCapacity characters (each line
    // with a terminating zero, and two more) lists no keys at all: no tag
    // file needs a section of 4 MiB, and a buffer grown without bound would
    // end the program instead.
    virtual std::vector<std::string> ReadKeyNames(const std::string& file,
                                                  const std::string& section) = 0;
};

}  // namespace kestavo
