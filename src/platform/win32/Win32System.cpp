#include "platform/win32/Win32System.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <winsock.h>

#include <vector>

namespace kestavo::win32 {

namespace {

// Calls a "fill this buffer" function of the kernel until the buffer is
// large enough, so no folder is ever cut.
template <typename Query>
std::string QueryText(Query query) {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (;;) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.assign(length + 1, '\0');
    }
}

}  // namespace

Win32System::~Win32System() {
    if (m_socketsStarted) {
        WSACleanup();
    }
}

std::string Win32System::CurrentDirectory() {
    return QueryText([](char* buffer, UINT size) { return GetCurrentDirectoryA(size, buffer); });
}

std::string Win32System::SystemDirectory() {
    return QueryText([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string Win32System::WindowsDirectory() {
    return QueryText([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

bool Win32System::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32System::AppName() {
    const std::string path = QueryText(
        [](char* buffer, UINT size) { return GetModuleFileNameA(nullptr, buffer, size); });
    const std::string::size_type slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Win32System::TempDirectory() {
    return QueryText(
        [](char* buffer, UINT size) { return static_cast<UINT>(GetTempPathA(size, buffer)); });
}

std::string Win32System::FullPathName(const std::string& path) {
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(full, length);
}

bool Win32System::AnyFileMatches(const std::string& pattern) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

std::string Win32System::EnvironmentVariable(const std::string& name) {
    return QueryText([&name](char* buffer, UINT size) {
        return static_cast<UINT>(GetEnvironmentVariableA(name.c_str(), buffer, size));
    });
}

std::string Win32System::SpecialFolderPath(int csidl) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item)) || item == nullptr) {
        return {};
    }
    char path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListA(item, path) != FALSE;
    CoTaskMemFree(item);
    return found ? std::string(path) : std::string();
}

ISystemPort::OsVersion Win32System::GetOsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        return {};
    }
    return OsVersion{version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion};
}

bool Win32System::StartSockets(unsigned short version) {
    WSADATA data{};
    if (WSAStartup(version, &data) != 0) {
        return false;
    }
    m_socketsStarted = true;
    return data.wVersion == version;
}

// Dialog controls of 32-bit Windows have the three-dimensional look of
// their own; there is nothing to switch on.
void Win32System::EnableThreeDimensionalControls() {}

void Win32System::InitCommonControls() {
    ::InitCommonControls();
}

}  // namespace kestavo::win32
