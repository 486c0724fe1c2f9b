#include "platform/win32/Win32System.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <winsock.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/AnsiConversion.h"
#include "platform/win32/Win32Libraries.h"

namespace kestavo::win32 {

namespace {

// Calls a "fill this buffer" function of the kernel until the buffer is
// large enough, so no folder is ever cut.
template <typename Char = char, typename Query>
std::basic_string<Char> QueryText(Query query) {
    std::vector<Char> buffer(MAX_PATH + 1, Char());
    for (;;) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::basic_string<Char>(buffer.data(), length);
        }
        buffer.assign(length + 1, Char());
    }
}

static_assert(kNoBestFitChars == WC_NO_BEST_FIT_CHARS, "the flag has the value Windows gives it");

// Whether the code page's text reads back as the wide text it was written
// from. A longer reading does not fit the buffer, and fails.
bool ReadsBackAs(UINT codePage, const std::string& ansi, const std::wstring& text) {
    std::vector<wchar_t> wide(text.size() + 1, L'\0');
    const int length = MultiByteToWideChar(codePage, 0, ansi.data(), static_cast<int>(ansi.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    return static_cast<std::size_t>(length) == text.size() &&
           std::equal(text.begin(), text.end(), wide.begin());
}

// The text in the ANSI code page, or nothing when the code page lacks one
// of its characters: Windows would put a '?' or a look-alike in its place.
// Each code page is written with the flags it takes (UTF-8 refuses those of
// most, and would fail every folder); reading the text back tells whether
// anything was lost.
std::optional<std::string> ToAnsiExactly(const std::wstring& text) {
    const UINT codePage = GetACP();
    const DWORD flags = AnsiConversionFlags(codePage);
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, &ansi[0], size, nullptr, nullptr);
    if (!ReadsBackAs(codePage, ansi, text)) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace

Win32System::~Win32System() {
    if (m_socketsStarted) {
        WSACleanup();
    }
}

// The folder is read wide and named by its long name when the ANSI code
// page holds every character of it, else by its short name. When neither
// can name it, it is named by nothing rather than by a name with '?' in it,
// which leads to another folder or none. Systems without the wide call
// (Windows 9x) have only the ANSI name.
std::string Win32System::CurrentDirectory() {
    const std::wstring folder = QueryText<wchar_t>(
        [](wchar_t* buffer, UINT size) { return GetCurrentDirectoryW(size, buffer); });
    if (folder.empty()) {
        return QueryText(
            [](char* buffer, UINT size) { return GetCurrentDirectoryA(size, buffer); });
    }
    if (const auto longName = ToAnsiExactly(folder)) {
        return *longName;
    }
    const std::wstring shortName = QueryText<wchar_t>([&folder](wchar_t* buffer, UINT size) {
        return GetShortPathNameW(folder.c_str(), buffer, size);
    });
    const auto named = shortName.empty() ? std::nullopt : ToAnsiExactly(shortName);
    return named ? *named : std::string();
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

// The shell's path functions read the name character by character, so a
// program named "ソフト.exe" keeps its first character.
std::string Win32System::AppName() {
    std::string path = QueryText(
        [](char* buffer, UINT size) { return GetModuleFileNameA(nullptr, buffer, size); });
    char* const name = PathFindFileNameA(&path[0]);
    *PathFindExtensionA(name) = '\0';
    return name;
}

bool Win32System::IsLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
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

unsigned Win32System::SetErrorMode(unsigned mode) {
    return ::SetErrorMode(mode);
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

void Win32System::EnableHeapTerminationOnCorruption() {
    HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
}

bool Win32System::SetDefaultDllDirectories(unsigned long flags) {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "SetDefaultDllDirectories")));
    return set != nullptr && set(flags);
}

void Win32System::RemoveCurrentFolderFromSearch() {
    SetDllDirectoryA("");
}

void Win32System::LoadByPathWithAlteredSearchPath() {
    Win32Libraries::UseAlteredSearchPath();
}

void Win32System::PreloadSystemLibrary(const std::string& name) {
    Win32Libraries::LoadFromSystemFolder(name);
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
