#pragma once

#include <optional>
#include <string>

#include "platform/Types.h"

namespace kestavo {

// Which registry a key is opened in. A 64-bit Windows keeps two, one for
// 64-bit programs and one for 32-bit ones; a program reads its own unless
// it names the other. Only the program's own exists on other systems, and
// some of them reject a key opened with a view named.
enum class RegistryView { Own, Bits64, Bits32 };

// Reads below HKEY_LOCAL_MACHINE, opening keys for reading only. Never
// writes.
class IRegistryPort {
public:
    virtual ~IRegistryPort() = default;

    // Whether the system keeps two registries (a 64-bit Windows), so that
    // a view may be named.
    virtual bool HasTwoViews() = 0;
    // RegOpenKeyExA for reading, in the view; null when the key cannot be
    // opened.
    virtual Handle OpenMachineKey(const std::string& keyPath, RegistryView view) = 0;
    // RegEnumKeyExA: subkey `index`'s name, whole; an empty name for one
    // too long to read, and nothing at the end of the list or on any other
    // failure (the key deleted while it is walked), which ends the walk.
    virtual std::optional<std::string> EnumKey(Handle key, unsigned long index) = 0;
    // The unnamed value of the subkey, opened in the view, whatever its
    // length: whether it could be read. One that was never set reads as
    // empty text.
    virtual bool QueryDefaultValue(Handle key, const std::string& subkey, RegistryView view) = 0;
    // A named value of the subkey, opened in the view, raw
    // (RegQueryValueExA, any type), or nothing when the subkey cannot be
    // opened or the value cannot be read.
    virtual std::optional<std::string> QueryValue(Handle key, const std::string& subkey,
                                                  const std::string& valueName,
                                                  RegistryView view) = 0;
    virtual void CloseKey(Handle key) = 0;

    // The named value's raw data in the program's own view, or nothing when
    // the key cannot be opened or the value cannot be read.
    virtual std::optional<std::string> QueryMachineValue(const std::string& keyPath,
                                                         const std::string& valueName) = 0;
};

}  // namespace kestavo
