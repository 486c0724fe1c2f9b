#pragma once

#include <windows.h>

#include <string>

namespace kestavo::win32 {

// Every library the program loads itself, by full path. Where the system
// cannot be told to search its own folder alone, such a library takes its
// own imports from its own folder, not from the program's.
class Win32Libraries {
public:
    static HMODULE Load(const std::string& path);
    // The system folder's library of this name; none when the folder's name
    // does not fit.
    static HMODULE LoadFromSystemFolder(const std::string& name);
    static void UseAlteredSearchPath();
};

}  // namespace kestavo::win32
