#pragma once

#include <optional>
#include <string>

#include "platform/IRegistryPort.h"

namespace kestavo::win32 {

// Values below HKEY_LOCAL_MACHINE, with keys opened for reading only: all
// access rights would be refused to users without administrative rights.
class Win32Registry : public IRegistryPort {
public:
    std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                 const std::string& valueName) override;
    Handle OpenMachineKey(const std::string& keyPath) override;
    std::optional<std::string> EnumKey(Handle key, unsigned long index,
                                       std::size_t capacity) override;
    bool QueryDefaultValue(Handle key, const std::string& subkey, std::size_t capacity) override;
    void CloseKey(Handle key) override;
};

}  // namespace kestavo::win32
