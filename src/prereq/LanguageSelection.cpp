#include "prereq/LanguageSelection.h"

#include "core/DecisionReport.h"
#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "core/TagKeywords.h"

namespace kestavo {

void LanguageSelection::SelectLanguage() {
    const TagFile tag(m_ports.system, m_ports.profile);
    const std::string mode = tag.Read("APPINFO", "LanguageM", TagFile::kValueCapacity);
    if (mode == keywords::kAutoDetectLanguage) {
        m_strDetectedLanguage = LanguageNameFor(ProbeSystemUiLanguage());
        Report(m_ports, Decision::LanguageDetected, &m_strDetectedLanguage);
        RunLanguageSwitcher();
    } else if (mode == keywords::kAskUserForLanguage) {
        RunLanguageSwitcher();
    } else {
        Report(m_ports, Decision::LanguageNotAsked, &mode);
    }
}

unsigned LanguageSelection::ProbeSystemUiLanguage() {
    const IModulePort::UiLanguage language = m_ports.modules.SystemDefaultUiLanguage();
    if (!language.kernelLoaded) {
        return 0;
    }
    if (!language.exported) {
        m_nNoUiLanguage = 255;
        return 0;
    }
    return language.value & 0xFFFF;
}

std::string LanguageSelection::FindSwitcher() {
    const std::string folder = SetupFolderWithSeparator(m_ports.system);
    for (const char* candidate : kSwitcherCandidates) {
        const std::string path = folder + candidate;
        if (m_ports.system.FileExists(path)) {
            return path;
        }
    }
    return {};
}

// The switcher's argument is the setup folder in quotes, its trailing
// backslash kept before the closing quote as vendors' switchers expect.
void LanguageSelection::RunLanguageSwitcher() {
    const std::string switcher = FindSwitcher();
    if (switcher.empty()) {
        Report(m_ports, Decision::SwitcherMissing);
        return;
    }
    const std::string parameters = "\"" + SetupFolderWithSeparator(m_ports.system) + "\"";
    ProbeSystemUiLanguage();
    if (m_nNoUiLanguage == 255) {
        Report(m_ports, Decision::SwitcherWithoutUiLanguage);
        return;
    }
    const Handle process = m_ports.processes.ShellExecuteProcess(switcher, parameters);
    if (process == kNullHandle) {
        return;
    }
    m_ports.processes.WaitForObject(process, IProcessPort::kInfinite);
    m_ports.processes.CloseHandle(process);
}

std::string LanguageSelection::LanguageNameFor(unsigned languageId) {
    struct Name {
        unsigned id;
        const char* name;
    };
    static const Name kNames[] = {
        {0x0409, "English"}, {0x0416, "Portuguese"}, {0x041A, "Croatian"}, {0x0406, "Danish"},
        {0x0813, "Dutch"},   {0x0407, "German"},     {0x0410, "Italian"},  {0x0415, "Polish"},
        {0x0C1A, "Serbian"}, {0x040A, "Spanish"},    {0x041D, "Swedish"},  {0x041F, "Turkish"},
        {0x0804, "Chinese"},
    };
    const unsigned id = (languageId & 0xFFFF) == 0 ? 0x0409 : (languageId & 0xFFFF);
    for (const Name& entry : kNames) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return {};
}

}  // namespace kestavo
