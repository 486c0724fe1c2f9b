#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

namespace kestavo::win32 {

std::optional<std::string> Win32Registry::QueryMachineValue(const std::string& keyPath,
                                                            const std::string& valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    std::optional<std::string> data;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::vector<BYTE> buffer(size, 0);
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, buffer.data(), &size) ==
            ERROR_SUCCESS) {
            data = std::string(buffer.begin(), buffer.begin() + size);
        }
    }
    RegCloseKey(key);
    return data;
}

}  // namespace kestavo::win32
