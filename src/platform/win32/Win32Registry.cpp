#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

namespace kestavo::win32 {

namespace {

// The longest key name the registry allows is 255 characters. In the
// ANSI code page each takes up to two bytes (a double-byte code page) or
// three (UTF-8); one more for the terminator.
constexpr DWORD kKeyNameCapacity = 255 * 3 + 1;

// A value's raw data, read whole.
std::optional<std::string> ReadValue(HKEY key, const std::string& valueName) {
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> buffer(size, 0);
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer.begin(), buffer.begin() + size);
}

REGSAM ViewAccess(RegistryView view) {
    switch (view) {
        case RegistryView::Bits64:
            return KEY_READ | KEY_WOW64_64KEY;
        case RegistryView::Bits32:
            return KEY_READ | KEY_WOW64_32KEY;
        default:
            return KEY_READ;
    }
}

// The key for reading, in the view; null when it cannot be opened. Below
// an open key too the view is named: older 64-bit systems may redirect an
// open that names none, even below a key of the other registry.
HKEY OpenKey(HKEY parent, const std::string& path, RegistryView view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, ViewAccess(view), &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

}  // namespace

// A 64-bit program runs only on a 64-bit Windows; a 32-bit one asks
// whether it runs under WOW64, through the export that systems before XP
// SP2 lack.
bool Win32Registry::HasTwoViews() {
#ifdef _WIN64
    return true;
#else
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

std::optional<std::string> Win32Registry::QueryMachineValue(const std::string& keyPath,
                                                            const std::string& valueName) {
    const HKEY key = OpenKey(HKEY_LOCAL_MACHINE, keyPath, RegistryView::Own);
    if (key == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> data = ReadValue(key, valueName);
    RegCloseKey(key);
    return data;
}

Handle Win32Registry::OpenMachineKey(const std::string& keyPath, RegistryView view) {
    return reinterpret_cast<Handle>(OpenKey(HKEY_LOCAL_MACHINE, keyPath, view));
}

// Only an entry whose name does not fit is passed over; any other failure
// (the key deleted while it is walked) would fail for every index after it.
std::optional<std::string> Win32Registry::EnumKey(Handle key, unsigned long index) {
    char name[kKeyNameCapacity] = {};
    DWORD length = kKeyNameCapacity;
    const LONG result = RegEnumKeyExA(reinterpret_cast<HKEY>(key), index, name, &length, nullptr,
                                      nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) {
        return std::string();
    }
    if (result != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(name, length);
}

// Asking for the size alone reads the value as far as Windows needs to
// tell whether it can be read, whatever its length. An unnamed value that
// was never set reads as empty text, as RegQueryValueA reads it.
bool Win32Registry::QueryDefaultValue(Handle key, const std::string& subkey, RegistryView view) {
    const HKEY child = OpenKey(reinterpret_cast<HKEY>(key), subkey, view);
    if (child == nullptr) {
        return false;
    }
    DWORD size = 0;
    const LONG result = RegQueryValueExA(child, nullptr, nullptr, nullptr, nullptr, &size);
    RegCloseKey(child);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::optional<std::string> Win32Registry::QueryValue(Handle key, const std::string& subkey,
                                                     const std::string& valueName,
                                                     RegistryView view) {
    const HKEY child = OpenKey(reinterpret_cast<HKEY>(key), subkey, view);
    if (child == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> data = ReadValue(child, valueName);
    RegCloseKey(child);
    return data;
}

void Win32Registry::CloseKey(Handle key) {
    RegCloseKey(reinterpret_cast<HKEY>(key));
}

}  // namespace kestavo::win32
