#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// Makes sure the Windows Installer runtime is recent enough before anything
// else runs.
bool EnsureInstallerRuntime(Ports& ports);

// Whether the runtime library at `runtimePath` is recent enough.
bool IsInstallerRuntimeCurrent(Ports& ports, const std::string& runtimePath);

}  // namespace kestavo
