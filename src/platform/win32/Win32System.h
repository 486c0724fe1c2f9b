#pragma once

#include <string>

#include "platform/IStartupPort.h"
#include "platform/ISystemPort.h"

namespace kestavo::win32 {

// The kernel's folders and files, and the process's start-up services.
class Win32System : public ISystemPort, public IStartupPort {
public:
    Win32System() = default;
    ~Win32System() override;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    std::string CurrentDirectory() override;
    std::string SystemDirectory() override;
    std::string WindowsDirectory() override;
    bool FileExists(const std::string& path) override;
    std::string AppName() override;
    bool IsLeadByte(unsigned char byte) override;
    std::string TempDirectory() override;
    std::string FullPathName(const std::string& path) override;
    bool AnyFileMatches(const std::string& pattern) override;
    unsigned SetErrorMode(unsigned mode) override;
    std::string EnvironmentVariable(const std::string& name) override;
    std::string SpecialFolderPath(int csidl) override;
    OsVersion GetOsVersion() override;

    void EnableHeapTerminationOnCorruption() override;
    bool SetDefaultDllDirectories(unsigned long flags) override;
    void RemoveCurrentFolderFromSearch() override;
    void LoadByPathWithAlteredSearchPath() override;
    void PreloadSystemLibrary(const std::string& name) override;
    bool StartSockets(unsigned short version) override;
    void EnableThreeDimensionalControls() override;
    void InitCommonControls() override;

private:
    bool m_socketsStarted = false;
};

}  // namespace kestavo::win32
