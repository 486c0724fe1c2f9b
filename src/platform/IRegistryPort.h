#pragma once

#include <optional>
#include <string>

namespace kestavo {

// Reads below HKEY_LOCAL_MACHINE, opening keys for reading only. Never
// writes.
class IRegistryPort {
public:
    virtual ~IRegistryPort() = default;

    // The named value's raw data (RegQueryValueExA, any type), or nothing
    // when the key cannot be opened or the value cannot be read.
    virtual std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                         const std::string& valueName) = 0;
};

}  // namespace kestavo
