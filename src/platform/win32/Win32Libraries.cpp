#include "platform/win32/Win32Libraries.h"

namespace kestavo::win32 {

namespace {

// The search order is the process's, set once at start-up; so is this.
DWORD g_loadFlags = 0;

}  // namespace

HMODULE Win32Libraries::Load(const std::string& path) {
    return LoadLibraryExA(path.c_str(), nullptr, g_loadFlags);
}

HMODULE Win32Libraries::LoadFromSystemFolder(const std::string& name) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return Load(std::string(folder, length) + "\\" + name);
}

void Win32Libraries::UseAlteredSearchPath() {
    g_loadFlags = LOAD_WITH_ALTERED_SEARCH_PATH;
}

}  // namespace kestavo::win32
