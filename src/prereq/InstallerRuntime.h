#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// The Windows Installer runtime is current from major version 2 on.
inline constexpr unsigned long kMinimumRuntimeMajor = 2;

// At start-up: runs the runtime's redistributable when the runtime is
// missing or too old, and waits for it without pumping messages (no window
// exists yet). Always 1.
int EnsureInstallerRuntime(Ports& ports);

// Whether the runtime library at `runtimePath` exists and reports a major
// version of 2 or more.
bool IsInstallerRuntimeCurrent(Ports& ports, std::string runtimePath);

// The library's version from its "DllGetVersion", or else from its version
// resource. 1 when known, 0 otherwise.
int QueryDllVersion(Ports& ports, const std::string& path, unsigned long& major,
                    unsigned long& minor, unsigned long& build);
int QueryFileVersion(Ports& ports, const std::string& path, unsigned long& major,
                     unsigned long& minor, unsigned long& build);

// Reads "major.minor.build" (runs of dots count as one separator, later
// fields are ignored). 1 when all three were there; fields found before a
// missing one stay written.
int ParseVersionString(std::string text, unsigned long& major, unsigned long& minor,
                       unsigned long& build);

// True on Windows 98, 98 SE and Me, which take InstMsiA.exe; false on
// Windows 95 and the NT family, which take InstMsiW.exe.
bool IsWin98OrLater9x(Ports& ports);

// Starts the redistributable from the setup folder through the shell and
// waits for it, without pumping messages.
void RunRuntimeRedistributable(Ports& ports);

// The redistributable's path in the setup folder for this system.
std::string RuntimeRedistributablePath(Ports& ports);

}  // namespace kestavo
