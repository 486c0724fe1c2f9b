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

Handle Win32Registry::OpenMachineKey(const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return kNullHandle;
    }
    return reinterpret_cast<Handle>(key);
}

std::optional<std::string> Win32Registry::EnumKey(Handle key, unsigned long index,
                                                  std::size_t capacity) {
    std::vector<char> name(capacity, '\0');
    if (RegEnumKeyA(reinterpret_cast<HKEY>(key), index, name.data(),
                    static_cast<DWORD>(capacity)) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(name.data());
}

bool Win32Registry::QueryDefaultValue(Handle key, const std::string& subkey, std::size_t capacity) {
    std::vector<char> value(capacity, '\0');
    LONG size = static_cast<LONG>(capacity);
    return RegQueryValueA(reinterpret_cast<HKEY>(key), subkey.c_str(), value.data(), &size) ==
           ERROR_SUCCESS;
}

void Win32Registry::CloseKey(Handle key) {
    RegCloseKey(reinterpret_cast<HKEY>(key));
}

}  // namespace kestavo::win32
