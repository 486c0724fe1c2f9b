#pragma once

#include <string>

namespace kestavo {

// What the process prepares once before its first window: its heap, where
// libraries are searched for, Windows Sockets and the common controls.
// Nothing here shows anything.
class IStartupPort {
public:
    virtual ~IStartupPort() = default;

    // HeapSetInformation's HeapEnableTerminationOnCorruption for the
    // process's heaps; systems before Vista refuse it, and nothing changes.
    virtual void EnableHeapTerminationOnCorruption() = 0;
    // SetDefaultDllDirectories with these flags, where kernel32 exports it
    // (Windows 8, and Vista and 7 with its update). False where it does not,
    // or where the call fails.
    virtual bool SetDefaultDllDirectories(unsigned long flags) = 0;
    // SetDllDirectoryA(""): the current folder leaves the search.
    virtual void RemoveCurrentFolderFromSearch() = 0;
    // From now on a library loaded by its full path takes its own imports
    // from its own folder first (LOAD_WITH_ALTERED_SEARCH_PATH), not from
    // the program's.
    virtual void LoadByPathWithAlteredSearchPath() = 0;
    // Loads the system folder's library of this name by its full path and
    // keeps it for the process's life.
    virtual void PreloadSystemLibrary(const std::string& name) = 0;

    // WSAStartup with the requested version; true only when the service
    // started and agreed to exactly that version.
    virtual bool StartSockets(unsigned short version) = 0;
    virtual void EnableThreeDimensionalControls() = 0;
    virtual void InitCommonControls() = 0;
};

}  // namespace kestavo
