#include "vendortools/MachineCapture.h"

#include <algorithm>

#include "actions/RegistryReader.h"
#include "actions/SystemProbes.h"
#include "core/TagFile.h"
#include "platform/WinConst.h"
#include "platform/sim/SimFiles.h"
#include "prereq/InstallerRuntime.h"
#include "vendortools/MachineFileText.h"
#include "vendortools/SetupPreview.h"

namespace kestavo::vendortools {

namespace {

// The values the program's folder table reads, and the one the .NET check
// does; the program takes an empty one for one that is not there.
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const kRegistryValues[][2] = {{kCurrentVersionKey, "ProgramFilesDir"},
                                          {kCurrentVersionKey, "CommonFilesDir"},
                                          {SystemProbes::kDotNetKey, SystemProbes::kDotNetValue}};

template <typename T>
void AddOnce(std::vector<T>& list, T item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(std::move(item));
    }
}

// An ASCII text as a tag file may hold it: in its code page (or UTF-8),
// or in UTF-16 of either byte order.
std::vector<std::string> Spellings(const std::string& text) {
    std::string little;
    std::string big;
    for (const char c : text) {
        little += {c, '\0'};
        big += {'\0', c};
    }
    return {text, little, big};
}

bool Names(const SetupFolderImage& folder, const std::string& text) {
    for (const char* tag : {TagFile::kFileName, TagFile::kDataFileName}) {
        const auto bytes = folder.Bytes(tag);
        for (const std::string& spelling : Spellings(text)) {
            if (bytes && bytes->find(spelling) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

MachineCapture::MachineCapture(const MachineReadPorts& machine, const SetupFolderImage* folder)
    : m_machine(machine) {
    AskGeneral(folder);
}

void MachineCapture::AskGeneral(const SetupFolderImage* folder) {
    ISystemReadPort& system = m_machine.system;
    const ISystemReadPort::OsVersion version = system.GetOsVersion();
    m_profile = *MachineProfile::BuiltIn(NearestBuiltIn(version));
    m_profile.name = "this";
    m_profile.version = version;
    m_profile.codePage = m_machine.codePage;
    m_profile.windowsFolder = system.WindowsDirectory();
    m_profile.systemFolder = system.SystemDirectory();
    m_profile.programFiles = system.EnvironmentVariable("PROGRAMFILES");
    if (folder != nullptr) {
        m_profile.setupFolder = system.CurrentDirectory();
    }
    AskRuntime();
    const IModulePort::UiLanguage language = m_machine.modules.SystemDefaultUiLanguage();
    m_profile.hasUiLanguage = language.exported;
    m_profile.uiLanguage = language.value;
    m_profile.twoRegistryViews = m_machine.registry.HasTwoViews();
    m_profile.registry.clear();
    for (const auto& value : kRegistryValues) {
        const std::string data = ReadMachineRegistryString(m_machine.registry, value[0], value[1]);
        if (!data.empty()) {
            m_profile.registry.emplace_back(std::string(value[0]) + "\\" + value[1], data);
        }
    }
    m_profile.screenWidth = m_machine.desktop.SystemMetric(SM_CXSCREEN);
    m_profile.screenHeight = m_machine.desktop.SystemMetric(SM_CYSCREEN);
    AskShellFolders(folder);
    m_profile.description = "this Windows (" + SystemText(version) + ")";
}

// msi.dll's version as the program reads it: from DllGetVersion, else from
// its version resource.
void MachineCapture::AskRuntime() {
    const std::string path = m_profile.systemFolder + "\\msi.dll";
    m_profile.installerRuntime.reset();
    m_profile.installerUnversioned = false;
    if (!m_machine.system.FileExists(path)) {
        return;
    }
    ModuleVersion version;
    if (const auto reported = m_machine.modules.DllGetVersion(path)) {
        m_profile.installerRuntime = *reported;
    } else if (const auto text = m_machine.modules.FileVersionString(path);
               text && ParseVersionString(*text, version.major, version.minor, version.build)) {
        m_profile.installerRuntime = version;
    } else {
        m_profile.installerUnversioned = true;
    }
}

// A shell folder's path only matters where a tag file names its macro
// (the program puts a folder's path nowhere else), and many of them hold
// the user's name.
void MachineCapture::AskShellFolders(const SetupFolderImage* folder) {
    for (const MachineProfile::ShellFolder& shell : MachineProfile::ShellFolders()) {
        if (folder == nullptr || Names(*folder, shell.macro)) {
            m_profile.shellFolders[shell.csidl] = m_machine.system.SpecialFolderPath(shell.csidl);
        }
    }
}

void MachineCapture::Decided(Decision decision, const std::string* text, int number) {
    const std::string value = text == nullptr ? std::string() : *text;
    switch (decision) {
        case Decision::UninstallEntryNamed:
        case Decision::UninstallEntryShown:
            m_strEntry = value;
            m_entryView = static_cast<RegistryView>(number);
            m_bEntryNamed = decision == Decision::UninstallEntryNamed;
            break;
        case Decision::ProductInstalled:
            AddProduct(value);
            break;
        case Decision::FileFound:
            AddFile(value);
            break;
        case Decision::UpdaterStarted:
            m_profile.tempFolder = m_machine.system.TempDirectory();
            break;
        default:
            break;
    }
}

// The entry alone, in its view: its DisplayName where that is what
// matched, none where only its key's name did (the program read none). An
// entry asked about twice, by its key's name and by its DisplayName, is
// one entry with that DisplayName.
void MachineCapture::AddProduct(const std::string& name) {
    auto& entries = m_entryView == RegistryView::Bits64   ? m_profile.products64
                    : m_entryView == RegistryView::Bits32 ? m_profile.products32
                                                          : m_profile.products;
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [this](const auto& entry) { return entry.first == m_strEntry; });
    if (same == entries.end()) {
        entries.emplace_back(m_strEntry, m_bEntryNamed ? std::string() : name);
    } else if (!m_bEntryNamed) {
        same->second = name;
    }
}

// By its full name, as the program's probe looks: a path with wildcards
// stands for the files it matched. The setup folder's own files are the
// folder's, which the replay brings.
void MachineCapture::AddFile(const std::string& path) {
    const std::string full = m_machine.system.FullPathName(path);
    const std::string inFolder = sim::SimFiles::Normalize(m_profile.setupFolder + "\\");
    if (sim::SimFiles::Normalize(full).compare(0, inFolder.size(), inFolder) != 0) {
        AddOnce(m_profile.files, full);
    }
}

// The profile the run is on is a copy: what the run finds goes into the
// capture's own as it is found.
void MachineCapture::FollowDryRun(const SetupFolderImage& folder) {
    const MachineProfile asked = m_profile;
    SetupPreview preview(folder, asked);
    preview.AskInstead(m_machine);
    preview.AlsoTell(*this);
    preview.Run();
    AddWindows(preview.OtherWindows());
}

void MachineCapture::AddWindows(const std::vector<TopLevelWindow>& windows) {
    for (const TopLevelWindow& window : windows) {
        AddOnce(m_profile.windows, std::make_pair(window.title, window.className));
    }
}

}  // namespace kestavo::vendortools
