#pragma once

#include <optional>
#include <string>

namespace kestavo {

// A module version as DllGetVersion reports it.
struct ModuleVersion {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
};

// What the setup asks of libraries and their version resources. Libraries
// outside Windows' own set are loaded by full path from the system folder.
class IModulePort {
public:
    virtual ~IModulePort() = default;

    // Loads the library, calls its "DllGetVersion" with a DLLVERSIONINFO of
    // size 20 and unloads it. Nothing when it cannot be loaded, has no such
    // export or the call fails.
    virtual std::optional<ModuleVersion> DllGetVersion(const std::string& path) = 0;
    // The file's "\StringFileInfo\040904E4\FileVersion" text, or nothing.
    virtual std::optional<std::string> FileVersionString(const std::string& path) = 0;

    // KERNEL32.DLL's GetSystemDefaultUILanguage, when the system has it.
    struct UiLanguage {
        bool kernelLoaded = false;
        bool exported = false;
        unsigned value = 0;
    };
    virtual UiLanguage SystemDefaultUiLanguage() = 0;
};

}  // namespace kestavo
