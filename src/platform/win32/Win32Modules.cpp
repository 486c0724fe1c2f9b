#include "platform/win32/Win32Modules.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Win32Libraries.h"

namespace kestavo::win32 {

namespace {

// The DLLVERSIONINFO record of the shell's headers.
struct DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
using DllGetVersionFunction = HRESULT(CALLBACK*)(DllVersionInfo*);
using GetFileVersionInfoSizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetFileVersionInfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using VerQueryValueFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
using GetSystemDefaultUILanguageFunction = LANGID(WINAPI*)();

template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::optional<std::string> ReadFileVersion(HMODULE version, const std::string& path) {
    const auto size = Export<GetFileVersionInfoSizeFunction>(version, "GetFileVersionInfoSizeA");
    const auto read = Export<GetFileVersionInfoFunction>(version, "GetFileVersionInfoA");
    const auto query = Export<VerQueryValueFunction>(version, "VerQueryValueA");
    if (size == nullptr || read == nullptr || query == nullptr) {
        return std::nullopt;
    }
    DWORD ignored = 0;
    const DWORD bytes = size(path.c_str(), &ignored);
    if (bytes == 0) {
        return std::nullopt;
    }
    std::vector<char> block(bytes, '\0');
    void* text = nullptr;
    UINT length = 0;
    if (!read(path.c_str(), 0, bytes, block.data()) ||
        !query(block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &text, &length) ||
        text == nullptr) {
        return std::nullopt;
    }
    return std::string(static_cast<const char*>(text));
}

}  // namespace

std::optional<ModuleVersion> Win32Modules::DllGetVersion(const std::string& path) {
    const HMODULE library = Win32Libraries::Load(path);
    if (library == nullptr) {
        return std::nullopt;
    }
    std::optional<ModuleVersion> version;
    if (const auto get = Export<DllGetVersionFunction>(library, "DllGetVersion")) {
        DllVersionInfo info{};
        info.cbSize = sizeof info;
        if (SUCCEEDED(get(&info))) {
            version = ModuleVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
        }
    }
    FreeLibrary(library);
    return version;
}

std::optional<std::string> Win32Modules::FileVersionString(const std::string& path) {
    const HMODULE version = Win32Libraries::LoadFromSystemFolder("version.dll");
    if (version == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> text = ReadFileVersion(version, path);
    FreeLibrary(version);
    return text;
}

IModulePort::UiLanguage Win32Modules::SystemDefaultUiLanguage() {
    UiLanguage language;
    const HMODULE kernel = LoadLibraryA("KERNEL32.DLL");
    if (kernel == nullptr) {
        return language;
    }
    language.kernelLoaded = true;
    if (const auto get =
            Export<GetSystemDefaultUILanguageFunction>(kernel, "GetSystemDefaultUILanguage")) {
        language.exported = true;
        language.value = get();
    }
    FreeLibrary(kernel);
    return language;
}

}  // namespace kestavo::win32
