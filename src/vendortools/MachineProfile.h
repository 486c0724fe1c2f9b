#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/IModulePort.h"
#include "platform/ISystemPort.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// The machine a setup is previewed on: a Windows version with what comes
// with it (installer runtime, folders, language), and what a vendor says is
// on it (products, open windows, files, registry values), how long the
// programs the setup starts run and how they end, and how the user answers.
struct MachineProfile {
    std::string name;
    std::string description;
    // Whether setup.exe starts on it at all: Windows XP SP3 and later.
    bool supported = true;
    ISystemPort::OsVersion version;
    // The Windows Installer runtime; nothing when the system has none.
    std::optional<ModuleVersion> installerRuntime;
    std::string windowsFolder = "C:\\WINDOWS";
    std::string systemFolder = "C:\\WINDOWS\\SYSTEM32";
    std::string programFiles = "C:\\Program Files";
    unsigned uiLanguage = 0x0409;
    // The ANSI code page: tag files are read, and their texts shown, in it.
    unsigned codePage = 1252;
    bool hasUiLanguage = true;

    std::uint64_t installerMs = 20000;
    unsigned long installerExitCode = 0;
    // The setup folder's programs and those the machine file lists, by file
    // name in lower case: how long each runs, and the code it ends with.
    std::uint64_t programMs = 2000;
    std::map<std::string, std::uint64_t> programRunMs;
    std::map<std::string, unsigned long> programExitCodes;
    // Open windows: title and class.
    std::vector<std::pair<std::string, std::string>> windows;
    // Uninstall entries: key name and display name.
    std::vector<std::pair<std::string, std::string>> products;
    std::vector<std::string> files;
    // Values below HKEY_LOCAL_MACHINE: "KEY\\PATH\\Value" and data.
    std::vector<std::pair<std::string, std::string>> registry;
    // The button pressed in message boxes and in the restart dialog.
    int messageBoxAnswer = 1;
    int restartAnswer = 1;
    std::uint64_t restartAnswerMs = 1000;

    // What a machine file captured on a real machine also says (see
    // MachineCapture): the folder the setup ran in, the temporary folder,
    // whether the registry keeps a 64-bit and a 32-bit view, the uninstall
    // entries of each, the shell's folders by CSIDL, the screen, and a
    // runtime library that gives no version.
    std::string setupFolder = SetupFolderImage::kSimulatedFolder;
    std::optional<std::string> tempFolder;
    bool twoRegistryViews = false;
    std::vector<std::pair<std::string, std::string>> products64;
    std::vector<std::pair<std::string, std::string>> products32;
    std::map<int, std::string> shellFolders;
    int screenWidth = 1024;
    int screenHeight = 768;
    bool installerUnversioned = false;

    // The shell's folders the program asks for, each by the folder macro
    // that names it in a tag file.
    struct ShellFolder {
        const char* macro;
        int csidl;
    };
    static const std::vector<ShellFolder>& ShellFolders();

    // The built-in machines: win95, win98, winme, win2000, winxp, win7, win10.
    static std::optional<MachineProfile> BuiltIn(const std::string& name);
    static std::vector<std::string> BuiltInNames();
    // A machine file (INI): a built-in machine named by [machine] base=, with
    // the vendor's additions. Nothing, and `error` said, when it cannot be
    // read.
    static std::optional<MachineProfile> FromFile(const std::string& bytes, std::string& error);

    // Makes the simulated machine this machine. The setup folder's programs
    // must be on it first, at setupFolder, so that they get their run times.
    void Apply(sim::SimMachine& machine, const std::vector<std::string>& setupPrograms) const;

private:
    sim::SimProgram Installer(const sim::SimMachine& machine, const ModuleVersion& runtime) const;
    sim::SimProgram Program(const std::string& path) const;
    sim::SimProgram Redistributable(sim::SimMachine& machine, const std::string& path) const;
    void AddPrograms(sim::SimMachine& machine, const std::vector<std::string>& setupPrograms) const;
};

}  // namespace kestavo::vendortools
