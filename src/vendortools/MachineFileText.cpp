#include "vendortools/MachineFileText.h"

#include <utility>

#include "platform/WinConst.h"

namespace kestavo::vendortools {

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A line the reader takes for no key with a value and no section: one
// that has no "=" and does not start with "[", on a line of its own.
std::string Remark(std::string text) {
    for (char& c : text) {
        c = c == '=' ? ':' : c == '\r' || c == '\n' ? ' ' : c;
    }
    return "; " + text + "\r\n";
}

// The reader trims names and takes the first "=" for the end of one, a
// line that starts with "[" for a section's, and a line end for the end of
// the value.
bool Writable(const std::pair<std::string, std::string>& entry) {
    const std::string& name = entry.first;
    return !name.empty() && name.find_first_of("=\r\n") == std::string::npos &&
           name.front() != '[' && name.front() != ' ' && name.front() != '\t' &&
           name.back() != ' ' && name.back() != '\t' &&
           entry.second.find_first_of("\r\n") == std::string::npos;
}

std::string InstallerText(const MachineProfile& machine) {
    if (machine.installerRuntime) {
        const ModuleVersion& version = *machine.installerRuntime;
        return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
               std::to_string(version.build);
    }
    return machine.installerUnversioned ? "unknown" : "none";
}

// A language identifier as Windows writes one: "0x0409".
std::string UiLanguageText(const MachineProfile& machine) {
    if (!machine.hasUiLanguage) {
        return "none";
    }
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kDigits[(machine.uiLanguage >> shift) & 0xF];
    }
    return text;
}

Entries MachineKeys(const MachineProfile& machine) {
    Entries keys = {
        {"base", NearestBuiltIn(machine.version)}, {"codepage", std::to_string(machine.codePage)},
        {"system", SystemText(machine.version)},   {"installer", InstallerText(machine)},
        {"uilanguage", UiLanguageText(machine)},   {"windows", machine.windowsFolder},
        {"systemfolder", machine.systemFolder},    {"programfiles", machine.programFiles}};
    if (machine.setupFolder != SetupFolderImage::kSimulatedFolder) {
        keys.emplace_back("setupfolder", machine.setupFolder);
    }
    if (machine.tempFolder) {
        keys.emplace_back("temp", *machine.tempFolder);
    }
    keys.emplace_back("registry", machine.twoRegistryViews ? "64-bit" : "32-bit");
    keys.emplace_back(
        "screen", std::to_string(machine.screenWidth) + "x" + std::to_string(machine.screenHeight));
    return keys;
}

Entries FolderKeys(const MachineProfile& machine) {
    Entries keys;
    for (const MachineProfile::ShellFolder& folder : MachineProfile::ShellFolders()) {
        const auto path = machine.shellFolders.find(folder.csidl);
        if (path != machine.shellFolders.end()) {
            keys.emplace_back(folder.macro, path->second);
        }
    }
    return keys;
}

Entries FileKeys(const MachineProfile& machine) {
    Entries keys;
    for (const std::string& file : machine.files) {
        keys.emplace_back(file, "");
    }
    return keys;
}

}  // namespace

std::string SystemText(const ISystemReadPort::OsVersion& version) {
    return std::string(version.platformId == VER_PLATFORM_WIN32_WINDOWS ? "9x " : "NT ") +
           std::to_string(version.major) + "." + std::to_string(version.minor);
}

std::string NearestBuiltIn(const ISystemReadPort::OsVersion& version) {
    if (version.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        return version.minor == 0 ? "win95" : version.minor >= 90 ? "winme" : "win98";
    }
    if (version.major < 5 || (version.major == 5 && version.minor == 0)) {
        return "win2000";
    }
    return version.major == 5 ? "winxp" : version.major < 10 ? "win7" : "win10";
}

std::string MachineFileText(const MachineProfile& machine, const std::vector<std::string>& header) {
    const std::pair<const char*, Entries> sections[] = {{"machine", MachineKeys(machine)},
                                                        {"folders", FolderKeys(machine)},
                                                        {"installed", machine.products},
                                                        {"installed 64-bit", machine.products64},
                                                        {"installed 32-bit", machine.products32},
                                                        {"running", machine.windows},
                                                        {"files", FileKeys(machine)},
                                                        {"registry", machine.registry}};
    std::string top;
    for (const std::string& line : header) {
        top += Remark(line);
    }
    std::string body;
    for (const auto& section : sections) {
        std::string lines;
        for (const auto& entry : section.second) {
            if (Writable(entry)) {
                lines += entry.first + "=" + entry.second + "\r\n";
            } else {
                top += Remark("Left out of [" + std::string(section.first) +
                              "], as a machine file cannot hold it: \"" + entry.first + "\"");
            }
        }
        if (!lines.empty()) {
            body += std::string("\r\n[") + section.first + "]\r\n" + lines;
        }
    }
    return top + body;
}

}  // namespace kestavo::vendortools
