#include "vendortools/ActionNarrator.h"

#include "actions/FolderMacros.h"
#include "actions/SystemProbes.h"
#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "core/TagKeywords.h"
#include "driver/SetupProgressDialog.h"
#include "vendortools/TagLayout.h"
#include "vendortools/TagSchema.h"

namespace kestavo::vendortools {

namespace {

const char kSection[] = "ADVACTIONSKV";

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Holds(bool holds, const std::string& because) {
    return std::string(holds ? "holds: " : "does not hold: ") + because;
}

}  // namespace

std::string ActionNarrator::ReadString(const std::string& file, const std::string& section,
                                       const std::string& key, std::size_t capacity) {
    if (TagLayout::SameName(section, kSection) && !key.empty() && (key[0] | 0x20) == 'a') {
        const int index = TagFile::ListIndex(key);
        if (index >= 0) {
            Narrate(file, index);
        }
    }
    return m_machine.profile.ReadString(file, section, key, capacity);
}

std::vector<std::string> ActionNarrator::ReadKeyNames(const std::string& file,
                                                      const std::string& section) {
    return m_machine.profile.ReadKeyNames(file, section);
}

std::string ActionNarrator::Field(const std::string& file, char letter, int index) {
    return m_machine.profile.ReadString(file, kSection, TagFile::ListKey(letter, index),
                                        TagFile::kListCapacity);
}

void ActionNarrator::Narrate(const std::string& file, int index) {
    const std::string type = Field(file, 'B', index);
    std::string text = "record " + std::to_string(index) + " " + Quote(Field(file, 'A', index)) +
                       ": " + (type.empty() ? std::string("no type") : Quote(type)) + " ";
    if (Field(file, 'F', index) == keywords::kAfterSetupComplete &&
        !m_machine.trace.Has("start: app=" + m_machine.system.systemDirectory + "\\msiexec.exe")) {
        text += "waits for the pass after the package";
    } else {
        const std::string condition = Condition(type, Field(file, 'C', index));
        text += condition.empty() ? Action(file, index, type) : condition;
        const std::string completion = Field(file, 'E', index);
        if (completion == keywords::kStopInstallation || completion == keywords::kRestartComputer) {
            text += "; then " + Quote(completion) + " if it acted";
        }
    }
    m_machine.trace.Add(m_machine.scheduler.Now(), "action: " + text);
}

// Me is a Windows 98 to the probe, and only to it.
std::string ActionNarrator::SystemName(int windows9xVersion) {
    const ISystemPort::OsVersion version = m_machine.system.GetOsVersion();
    if (version.major == 4 && version.minor >= 90) {
        return "Windows Me, which counts as Windows 98";
    }
    return "Windows " + std::to_string(windows9xVersion);
}

// The same probes setup.exe asks, on the same machine, a moment earlier.
std::string ActionNarrator::Condition(const std::string& type, const std::string& subject) {
    SystemProbes probes(m_machine.GetPorts());
    if (type == keywords::kIfRunning) {
        return Holds(probes.IsProgramRunning(subject),
                     subject.empty()
                         ? "an empty title matches no window"
                         : "a window titled " + Quote(subject) +
                               (probes.IsProgramRunning(subject) ? " is open" : " is not open"));
    }
    if (type == keywords::kIfInstalled || type == keywords::kIfNotInstalled) {
        const bool installed = probes.IsProgramInstalled(subject);
        return Holds(installed == (type == keywords::kIfInstalled),
                     std::string(installed ? "an" : "no") +
                         " uninstall entry is named or shown as " + Quote(subject));
    }
    if (type == keywords::kIfFileExists) {
        SetupProgressDialog folders(m_machine.GetPorts());
        folders.InitFolders();
        const std::string path = ExpandFolderMacros(folders, m_machine.system, subject);
        const bool exists = probes.FileExists(path);
        return Holds(exists, Quote(path) + (exists ? " exists" : " does not exist"));
    }
    if (type == keywords::kIfNoDotNet) {
        const bool present = probes.IsDotNetPresent();
        return Holds(!present, present ? ".NET's InstallRoot is registered"
                                       : "no .NET InstallRoot is registered");
    }
    if (type == keywords::kIfWindows95 || type == keywords::kIfWindows98) {
        const int version = probes.GetWindows9xVersion();
        const int wanted = type == keywords::kIfWindows95 ? 95 : 98;
        return Holds(version == wanted, version == 0 ? "the system is not of the Windows 9x family"
                                                     : "the system is " + SystemName(version));
    }
    return {};
}

std::string ActionNarrator::Action(const std::string& file, int index, const std::string& type) {
    const std::string argument = Field(file, 'G', index);
    if (type == keywords::kShowMessageBox) {
        return "shows " + Quote(argument);
    }
    if (type == keywords::kRunTormivex) {
        return "starts the updater from the temporary folder";
    }
    if (type == keywords::kRunThirdParty || type == keywords::kRunThirdPartyAndWait) {
        return "starts " + FileNamePart(m_machine.system, argument) + " from the setup folder" +
               (type == keywords::kRunThirdPartyAndWait ? " and waits for it" : "");
    }
    return "matches no type: does nothing";
}

}  // namespace kestavo::vendortools
