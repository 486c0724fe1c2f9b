#include "vendortools/MachineProfile.h"

#include <cstdio>
#include <cstdlib>

#include "actions/SystemProbes.h"
#include "core/TagFile.h"
#include "platform/WinConst.h"
#include "platform/sim/IniFile.h"
#include "platform/sim/ProfileEncoding.h"
#include "vendortools/CodePage.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

namespace {

using sim::ProfileEncoding;

// An Installer that needs a newer runtime refuses the package: "This
// installation package cannot be installed by the Windows Installer
// service".
constexpr unsigned long kPackageNeedsNewerInstaller = 1613;
// What the redistributables in the setup folder install.
constexpr ModuleVersion kRedistributedRuntime{2, 0, 2600};
// The Installer's dialogs are 370 x 270 of its units, 493 x 360 pixels at
// 96 DPI, in a window with a caption, centred on the screen; it shows the
// first a moment after it starts.
constexpr int kInstallerWidth = 499;
constexpr int kInstallerHeight = 386;
constexpr std::uint64_t kInstallerWindowAfterMs = 200;

MachineProfile Windows9x(const char* name, const char* description, unsigned long minor,
                         std::optional<ModuleVersion> runtime) {
    MachineProfile machine;
    machine.name = name;
    machine.description = description;
    machine.supported = false;
    machine.version = {VER_PLATFORM_WIN32_WINDOWS, 4, minor};
    machine.installerRuntime = runtime;
    machine.systemFolder = "C:\\WINDOWS\\SYSTEM";
    machine.hasUiLanguage = false;
    return machine;
}

MachineProfile WindowsNt(const char* name, const char* description, unsigned long major,
                         unsigned long minor, ModuleVersion runtime) {
    MachineProfile machine;
    machine.name = name;
    machine.description = description;
    machine.version = {VER_PLATFORM_WIN32_NT, major, minor};
    machine.installerRuntime = runtime;
    return machine;
}

// Windows 2000 keeps Windows in C:\WINNT, as NT did.
MachineProfile Windows2000() {
    MachineProfile machine = WindowsNt("win2000", "Windows 2000 SP4 (Windows Installer 2.0)", 5, 0,
                                       ModuleVersion{2, 0, 2600});
    machine.supported = false;
    machine.windowsFolder = "C:\\WINNT";
    machine.systemFolder = "C:\\WINNT\\system32";
    return machine;
}

std::vector<MachineProfile> BuiltInMachines() {
    return {
        Windows9x("win95", "Windows 95 (no Windows Installer)", 0, std::nullopt),
        Windows9x("win98", "Windows 98 (no Windows Installer)", 10, std::nullopt),
        Windows9x("winme", "Windows Me (Windows Installer 1.2)", 90, ModuleVersion{1, 20, 1827}),
        Windows2000(),
        WindowsNt("winxp", "Windows XP SP3 (Windows Installer 3.1)", 5, 1,
                  ModuleVersion{3, 1, 4000}),
        WindowsNt("win7", "Windows 7 (Windows Installer 5.0)", 6, 1, ModuleVersion{5, 0, 7601}),
        WindowsNt("win10", "Windows 10 (Windows Installer 5.0)", 10, 0, ModuleVersion{5, 0, 19041}),
    };
}

std::string Text(const std::u16string& text) {
    return ProfileEncoding::ToAnsi(text);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

void AddShellFolder(MachineProfile& machine, const std::string& macro, const std::string& path) {
    for (const MachineProfile::ShellFolder& folder : MachineProfile::ShellFolders()) {
        if (Lower(macro) == Lower(folder.macro)) {
            machine.shellFolders[folder.csidl] = path;
        }
    }
}

// "NT 10.0" or "9x 4.10": the system's family, and its version.
bool ReadSystem(const std::string& text, ISystemPort::OsVersion& version) {
    const std::string family = Lower(text.substr(0, 3));
    unsigned long major = 0;
    unsigned long minor = 0;
    char end = 0;
    if ((family != "nt " && family != "9x ") ||
        std::sscanf(text.c_str() + 3, "%lu.%lu%c", &major, &minor, &end) != 2) {
        return false;
    }
    version = {family == "nt " ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS, major, minor};
    return true;
}

// "5.0.19041", or "none" (no msi.dll), or "unknown" (an msi.dll that gives
// no version).
bool ReadInstaller(const std::string& text, MachineProfile& machine) {
    machine.installerRuntime.reset();
    machine.installerUnversioned = Lower(text) == "unknown";
    if (machine.installerUnversioned || Lower(text) == "none") {
        return true;
    }
    ModuleVersion version;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lu.%lu.%lu%c", &version.major, &version.minor, &version.build,
                    &end) != 3) {
        return false;
    }
    machine.installerRuntime = version;
    return true;
}

// "0x0409" (any number C reads), or "none": a system without
// GetSystemDefaultUILanguage.
void ReadUiLanguage(const std::string& text, MachineProfile& machine) {
    machine.hasUiLanguage = Lower(text) != "none";
    if (machine.hasUiLanguage) {
        machine.uiLanguage = static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 0));
    }
}

// The [machine] keys a capture writes beside base and codepage; false, and
// `error` said, for a value that cannot be read.
bool ReadCapturedKeys(const sim::IniFile& ini, MachineProfile& machine, std::string& error) {
    const auto value = [&ini](const char16_t* key) -> std::optional<std::string> {
        const auto found = ini.Find(u"machine", key);
        return found ? std::optional<std::string>(Text(*found)) : std::nullopt;
    };
    if (const auto system = value(u"system"); system && !ReadSystem(*system, machine.version)) {
        error = "[machine] system=" + *system + " is no system version: write NT 10.0 or 9x 4.10";
        return false;
    }
    const auto installer = value(u"installer");
    if (installer && !ReadInstaller(*installer, machine)) {
        error = "[machine] installer=" + *installer +
                " is no version: write three numbers (5.0.19041), none or unknown";
        return false;
    }
    if (const auto system = value(u"system")) {
        machine.description = "the Windows it was captured on (" + *system +
                              ", Windows Installer " + installer.value_or("of its base") + ")";
    }
    if (const auto language = value(u"uilanguage")) {
        ReadUiLanguage(*language, machine);
    }
    const std::pair<const char16_t*, std::string MachineProfile::*> folders[] = {
        {u"windows", &MachineProfile::windowsFolder},
        {u"systemfolder", &MachineProfile::systemFolder},
        {u"programfiles", &MachineProfile::programFiles},
        {u"setupfolder", &MachineProfile::setupFolder}};
    for (const auto& folder : folders) {
        if (const auto path = value(folder.first); path && !path->empty()) {
            machine.*folder.second = *path;
        }
    }
    machine.tempFolder = value(u"temp");
    if (const auto registry = value(u"registry")) {
        machine.twoRegistryViews = Lower(*registry) == "64-bit";
    }
    int width = 0;
    int height = 0;
    if (const auto screen = value(u"screen");
        screen && std::sscanf(screen->c_str(), "%dx%d", &width, &height) == 2 && width > 0 &&
        height > 0) {
        machine.screenWidth = width;
        machine.screenHeight = height;
    }
    return true;
}

// One line of the machine file, with its section in lower case.
void AddLine(MachineProfile& machine, const std::string& section, const std::string& key,
             const std::string& value) {
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (section == "installer" && Lower(key) == "seconds") {
        machine.installerMs = static_cast<std::uint64_t>(number < 0 ? 0 : number) * 1000;
    } else if (section == "installer" && Lower(key) == "exit") {
        machine.installerExitCode =
            static_cast<unsigned long>(std::strtoul(value.c_str(), nullptr, 0));
    } else if (section == "programs") {
        machine.programRunMs[Lower(key)] =
            static_cast<std::uint64_t>(number < 0 ? 0 : number) * 1000;
    } else if (section == "exits") {
        machine.programExitCodes[Lower(key)] =
            static_cast<unsigned long>(std::strtoul(value.c_str(), nullptr, 0));
    } else if (section == "running") {
        machine.windows.emplace_back(key, value);
    } else if (section == "installed") {
        machine.products.emplace_back(key, value);
    } else if (section == "installed 64-bit") {
        machine.products64.emplace_back(key, value);
    } else if (section == "installed 32-bit") {
        machine.products32.emplace_back(key, value);
    } else if (section == "folders") {
        AddShellFolder(machine, key, value);
    } else if (section == "files") {
        machine.files.push_back(key);
    } else if (section == "registry") {
        machine.registry.emplace_back(key, value);
    } else if (section == "answers" && Lower(key) == "messagebox") {
        machine.messageBoxAnswer = static_cast<int>(number);
    } else if (section == "answers" && Lower(key) == "restart") {
        machine.restartAnswer = static_cast<int>(number);
    }
}

// What a capture adds to the machine.
void ApplyCaptured(const MachineProfile& profile, sim::SimMachine& machine) {
    if (profile.tempFolder) {
        machine.system.tempDirectory = *profile.tempFolder;
    }
    if (profile.installerUnversioned) {
        machine.files.Put(profile.systemFolder + "\\msi.dll", "MZ");
    }
    machine.registry.twoViews = profile.twoRegistryViews;
    const std::string uninstall = std::string(SystemProbes::kUninstallKey) + "\\";
    for (const auto& product : profile.products64) {
        machine.registry.Put(uninstall + product.first, "DisplayName", product.second,
                             RegistryView::Bits64);
    }
    for (const auto& product : profile.products32) {
        machine.registry.Put(uninstall + product.first, "DisplayName", product.second,
                             RegistryView::Bits32);
    }
    for (const auto& folder : profile.shellFolders) {
        machine.system.specialFolders[folder.first] = folder.second;
    }
}

}  // namespace

std::optional<MachineProfile> MachineProfile::BuiltIn(const std::string& name) {
    for (const MachineProfile& machine : BuiltInMachines()) {
        if (machine.name == Lower(name)) {
            return machine;
        }
    }
    return std::nullopt;
}

std::vector<std::string> MachineProfile::BuiltInNames() {
    std::vector<std::string> names;
    for (const MachineProfile& machine : BuiltInMachines()) {
        names.push_back(machine.name);
    }
    return names;
}

// Read with the same INI reader as the tag files, so the vendor writes both
// alike; only lines with "=" count.
std::optional<MachineProfile> MachineProfile::FromFile(const std::string& bytes,
                                                       std::string& error) {
    const sim::IniFile ini(ProfileEncoding::DecodeFile(bytes));
    const auto base = ini.Find(u"machine", u"base");
    const std::string baseName = base ? Text(*base) : "winxp";
    std::optional<MachineProfile> machine = BuiltIn(baseName);
    if (!machine) {
        error = "[machine] base=" + baseName + " names no built-in machine";
        return std::nullopt;
    }
    if (const auto codePage = ini.Find(u"machine", u"codepage")) {
        const long number = std::strtol(Text(*codePage).c_str(), nullptr, 10);
        if (number <= 0 || !CodePage::Ansi(static_cast<unsigned>(number))) {
            error = "[machine] codepage=" + Text(*codePage) +
                    " is no Windows ANSI code page: write " + CodePage::AnsiNumbers();
            return std::nullopt;
        }
        machine->codePage = static_cast<unsigned>(number);
    }
    if (!ReadCapturedKeys(ini, *machine, error)) {
        return std::nullopt;
    }
    machine->name = "file";
    machine->description += ", with the machine file's additions";
    for (const sim::IniFile::Line& line : ini.Lines()) {
        if (!line.header && !line.hidden && line.hasValue) {
            AddLine(*machine, Lower(Text(line.section)), Text(line.key), Text(line.value));
        }
    }
    return machine;
}

// As the program's folder table takes them when the progress dialog starts.
const std::vector<MachineProfile::ShellFolder>& MachineProfile::ShellFolders() {
    static const std::vector<ShellFolder> folders = {
        {"Favorites Folder", CSIDL_FAVORITES},    {"Documents Folder", CSIDL_COMMON_DOCUMENTS},
        {"My Pictures Folder", CSIDL_MYPICTURES}, {"My Music Folder", CSIDL_MYMUSIC},
        {"Send To Folder", CSIDL_SENDTO},         {"Fonts Folder", CSIDL_FONTS}};
    return folders;
}

namespace {

std::string FileName(const std::string& path) {
    return Lower(path.substr(path.find_last_of('\\') + 1));
}

bool IsProgramFile(const std::string& path) {
    const std::string name = FileName(path);
    return name.size() > 4 &&
           (name.substr(name.size() - 4) == ".exe" || name.substr(name.size() - 4) == ".com");
}

}  // namespace

// The Installer shows its window in the middle of the screen; one older
// than the package needs refuses it.
sim::SimProgram MachineProfile::Installer(const sim::SimMachine& machine,
                                          const ModuleVersion& runtime) const {
    const bool current = runtime.major >= 2;
    const Rect place = Rect::At((machine.desktop.screenWidth - kInstallerWidth) / 2,
                                (machine.desktop.screenHeight - kInstallerHeight) / 2,
                                kInstallerWidth, kInstallerHeight);
    return sim::SimProgram{installerMs,
                           current ? installerExitCode : kPackageNeedsNewerInstaller,
                           {sim::SimProgramWindow{"Windows Installer", kInstallerWindowAfterMs,
                                                  "MsiDialogCloseClass", place}}};
}

sim::SimProgram MachineProfile::Program(const std::string& path) const {
    const auto runs = programRunMs.find(FileName(path));
    const auto exits = programExitCodes.find(FileName(path));
    return sim::SimProgram{runs == programRunMs.end() ? programMs : runs->second,
                           exits == programExitCodes.end() ? 0 : exits->second,
                           {}};
}

// A redistributable that succeeds puts the runtime and its msiexec.exe in
// place, when it is the one for the system's family: InstMsiW.exe is for
// the NT family, and setup.exe starts it on Windows 95 too.
sim::SimProgram MachineProfile::Redistributable(sim::SimMachine& machine,
                                                const std::string& path) const {
    sim::SimProgram program = Program(path);
    const bool nt = version.platformId == VER_PLATFORM_WIN32_NT;
    if (FileName(path) == (nt ? "instmsiw.exe" : "instmsia.exe")) {
        program.onSuccess = [&machine, installer = Installer(machine, kRedistributedRuntime)] {
            machine.InstallInstallerRuntime(kRedistributedRuntime, installer);
        };
    }
    return program;
}

void MachineProfile::AddPrograms(sim::SimMachine& machine,
                                 const std::vector<std::string>& setupPrograms) const {
    for (const std::string& program : setupPrograms) {
        const std::string path = setupFolder + "\\" + program;
        machine.processes.AddProgram(path, Redistributable(machine, path));
    }
    for (const std::string& file : files) {
        if (IsProgramFile(file)) {
            machine.processes.AddProgram(file, Program(file));
        } else {
            machine.files.Put(file, "");
        }
    }
}

void MachineProfile::Apply(sim::SimMachine& machine,
                           const std::vector<std::string>& setupPrograms) const {
    sim::SimSystem& system = machine.system;
    machine.desktop.screenWidth = screenWidth;
    machine.desktop.screenHeight = screenHeight;
    machine.InstallWindows(version, windowsFolder, systemFolder);
    system.codePage = codePage;
    system.environment["PROGRAMFILES"] = programFiles;
    machine.registry.Put("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                         programFiles);
    machine.registry.Put("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir",
                         programFiles + "\\Common Files");
    if (installerRuntime) {
        machine.InstallInstallerRuntime(*installerRuntime, Installer(machine, *installerRuntime));
    }
    machine.modules.uiLanguage = {true, hasUiLanguage, uiLanguage};
    AddPrograms(machine, setupPrograms);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        machine.processes.otherWindows.push_back(
            TopLevelWindow{0x90000 + i, static_cast<unsigned long>(9000 + i), windows[i].first,
                           windows[i].second});
    }
    for (const auto& product : products) {
        machine.registry.Put(
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product.first,
            "DisplayName", product.second);
    }
    for (const auto& value : registry) {
        const std::string::size_type last = value.first.rfind('\\');
        machine.registry.Put(value.first.substr(0, last), value.first.substr(last + 1),
                             value.second);
    }
    machine.desktop.messageBoxAnswer = messageBoxAnswer;
    ApplyCaptured(*this, machine);
}

}  // namespace kestavo::vendortools
