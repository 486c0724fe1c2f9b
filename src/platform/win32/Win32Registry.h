#pragma once

#include <optional>
#include <string>

#include "platform/IRegistryPort.h"

namespace kestavo::win32 {

// Values below HKEY_LOCAL_MACHINE, with keys opened for reading only: all
// access rights would be refused to users without administrative rights.
class Win32Registry : public IRegistryPort {
public:
    bool HasTwoViews() override;
    std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                 const std::string& valueName) override;
    Handle OpenMachineKey(const std::string& keyPath, RegistryView view) override;
    std::optional<std::string> EnumKey(Handle key, unsigned long index) override;
    bool QueryDefaultValue(Handle key, const std::string& subkey, RegistryView view) override;
    std::optional<std::string> QueryValue(Handle key, const std::string& subkey,
                                          const std::string& valueName, RegistryView view) override;
    void CloseKey(Handle key) override;
};

}  // namespace kestavo::win32
