// oldmsi.dll: stands in for an installer runtime too old for the package.
// Placed as the system folder's msi.dll for setup.exe alone, it answers
// "DllGetVersion" with version 1.20, as the runtime of early Windows 98 did.

#include <windows.h>

namespace {

// The DLLVERSIONINFO record of the shell's headers.
struct DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT CALLBACK DllGetVersion(DllVersionInfo* info) {
    if (!info || info->cbSize < sizeof(DllVersionInfo)) {
        return E_INVALIDARG;
    }
    info->dwMajorVersion = 1;
    info->dwMinorVersion = 20;
    info->dwBuildNumber = 1;
    info->dwPlatformID = 1;  // DLLVER_PLATFORM_WINDOWS
    return S_OK;
}
