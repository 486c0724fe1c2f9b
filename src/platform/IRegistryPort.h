#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace kestavo {

// Reads below HKEY_LOCAL_MACHINE, opening keys for reading only. Never
// writes.
class IRegistryPort {
public:
    virtual ~IRegistryPort() = default;

    // RegOpenKeyExA for reading; null when the key cannot be opened.
    virtual Handle OpenMachineKey(const std::string& keyPath) = 0;
    // RegEnumKeyA into a buffer of `capacity` characters: nothing at the end
    // of the list or when the name does not fit.
    virtual std::optional<std::string> EnumKey(Handle key, unsigned long index,
                                               std::size_t capacity) = 0;
    // RegQueryValueA of the subkey's unnamed value into a buffer of
    // `capacity` bytes: whether it could be read.
    virtual bool QueryDefaultValue(Handle key, const std::string& subkey, std::size_t capacity) = 0;
    virtual void CloseKey(Handle key) = 0;

    // The named value's raw data (RegQueryValueExA, any type), or nothing
    // when the key cannot be opened or the value cannot be read.
    virtual std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                         const std::string& valueName) = 0;
};

}  // namespace kestavo
