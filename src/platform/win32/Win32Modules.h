#pragma once

#include <optional>
#include <string>

#include "platform/IModulePort.h"

namespace kestavo::win32 {

// Library versions and the system's user-interface language. version.dll
// is loaded at run time by its full path in the system folder, so no copy
// lying in the setup folder can be loaded in its place.
class Win32Modules : public IModulePort {
public:
    std::optional<ModuleVersion> DllGetVersion(const std::string& path) override;
    std::optional<std::string> FileVersionString(const std::string& path) override;
    UiLanguage SystemDefaultUiLanguage() override;
};

}  // namespace kestavo::win32
