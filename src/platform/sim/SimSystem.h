#pragma once

#include <map>
#include <string>

#include "platform/IStartupPort.h"
#include "platform/ISystemPort.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// The simulated kernel: folders, files and the process's start-up services.
class SimSystem : public ISystemPort, public IStartupPort {
public:
    SimSystem(const SimScheduler& scheduler, SimTrace& trace, const SimFiles& files)
        : m_scheduler(scheduler), m_trace(trace), m_files(files) {}

    std::string CurrentDirectory() override {
        return currentDirectoryNameless ? std::string() : currentDirectory;
    }
    std::string SystemDirectory() override { return systemDirectory; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    bool FileExists(const std::string& path) override;
    std::string TempDirectory() override { return tempDirectory; }
    std::string FullPathName(const std::string& path) override;
    bool AnyFileMatches(const std::string& pattern) override;
    unsigned SetErrorMode(unsigned mode) override;
    std::string AppName() override { return appName; }
    bool IsLeadByte(unsigned char byte) override;
    std::string EnvironmentVariable(const std::string& name) override;
    std::string SpecialFolderPath(int csidl) override;
    OsVersion GetOsVersion() override { return osVersion; }

    void EnableHeapTerminationOnCorruption() override;
    bool SetDefaultDllDirectories(unsigned long flags) override;
    void RemoveCurrentFolderFromSearch() override;
    void LoadByPathWithAlteredSearchPath() override;
    void PreloadSystemLibrary(const std::string& name) override;
    bool StartSockets(unsigned short version) override;
    void EnableThreeDimensionalControls() override;
    void InitCommonControls() override;

    // The current folder; the program is told none when the ANSI code page
    // cannot name it, by its long name or a short one.
    std::string currentDirectory = "C:\\SETUP";
    bool currentDirectoryNameless = false;
    // The ANSI code page: 1252 (Western) unless a test asks for a double-
    // byte one, 932 (Japanese), 936 (Simplified Chinese), 949 (Korean) or
    // 950 (Traditional Chinese).
    unsigned codePage = 1252;
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM32";
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string appName = "setup";
    std::string tempDirectory = "C:\\WINDOWS\\TEMP\\";
    // Whether kernel32 exports SetDefaultDllDirectories: Windows 8 and
    // later, and Vista and 7 with its update; XP never.
    bool defaultDllDirectoriesExported = false;
    // Windows Sockets: whether the service starts, and the version it agrees
    // to when it does.
    bool socketsAvailable = true;
    unsigned short socketsVersion = 0x0101;
    std::map<std::string, std::string> environment = {{"PROGRAMFILES", "C:\\Program Files"}};
    // The shell's folders by CSIDL; one not listed cannot be supplied.
    std::map<int, std::string> specialFolders;
    // Windows XP unless a test says otherwise.
    OsVersion osVersion{2, 5, 1};
    // The process's error mode: as its parent gave it until the program
    // changes it. Programs started inherit it.
    unsigned errorMode = 0;
    // Removable drives that hold no medium (a diskette drive, an empty CD
    // drive), by capital letter.
    std::string drivesWithoutMedium;

private:
    static std::string WithSeparator(std::string folder);
    bool HasMedium(const std::string& fullPath);
    void Trace(const std::string& what) { m_trace.Add(m_scheduler.Now(), what); }

    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
    const SimFiles& m_files;
};

}  // namespace kestavo::sim
