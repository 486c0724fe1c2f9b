#pragma once

#include <string>

#include "platform/IRegistryPort.h"

namespace kestavo {

// A value below HKEY_LOCAL_MACHINE as text, up to its first zero byte,
// whatever its type; empty on any failure. Key paths and value names of 256
// characters or more are beyond the reader and read as empty.
std::string ReadMachineRegistryString(IRegistryPort& registry, const std::string& keyPath,
                                      const std::string& valueName);

}  // namespace kestavo
