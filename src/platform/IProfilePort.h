#pragma once

#include <cstddef>
#include <string>

namespace kestavo {

// Reads one value of an INI file the way the profile-string service does:
// section and key names without regard to case, the value trimmed and any
// surrounding quotes removed. A missing file, section or key reads as empty.
// Never writes and never caches.
class IProfilePort {
public:
    virtual ~IProfilePort() = default;

    // The value cut to capacity - 1 characters, as a zero-filled buffer of
    // `capacity` characters would hold it.
    virtual std::string ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t capacity) = 0;
};

}  // namespace kestavo
