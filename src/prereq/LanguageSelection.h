#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// The language step at start-up: when the tag file asks for it, the
// vendor's language switcher runs with the setup folder and is waited for
// before anything reads the tag file's texts.
class LanguageSelection {
public:
    // Where the switcher is looked for in the setup folder, in this order:
    // the one in the Languages folder wins over the one beside the package.
    static constexpr const char* kSwitcherCandidates[] = {"Languages\\switch.exe", "switch.exe"};

    explicit LanguageSelection(Ports& ports) : m_ports(ports) {}

    void SelectLanguage();
    void RunLanguageSwitcher();
    // The system's default user-interface language, or 0 when the system
    // cannot tell (and then the switcher never runs).
    unsigned ProbeSystemUiLanguage();

    // The language name for a user-interface language id, empty when the
    // setup knows no name for it. An id of 0 counts as US English.
    static std::string LanguageNameFor(unsigned languageId);

    // 255 once the system turned out to lack GetSystemDefaultUILanguage.
    int m_nNoUiLanguage = 0;
    // The language detected in the auto-detect mode, for the switcher's
    // benefit; nothing else reads it.
    std::string m_strDetectedLanguage;

private:
    std::string FindSwitcher();

    Ports& m_ports;
};

}  // namespace kestavo
