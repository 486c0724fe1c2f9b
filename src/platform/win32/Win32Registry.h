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
};

}  // namespace kestavo::win32
