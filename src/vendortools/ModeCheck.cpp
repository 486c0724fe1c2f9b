#include "vendortools/ModeCheck.h"

#include "core/TagKeywords.h"
#include "vendortools/CheckText.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/MachineProfile.h"

namespace kestavo::vendortools {

namespace {

using checktext::Join;
using checktext::Quote;

const char kSilent[] = "the setup is silent (BUILD SILENT=1)";

}  // namespace

void ModeCheck::Run() {
    CheckSilence();
    CheckDialogTexts();
    CheckLanguageStep();
    CheckSplashAddress();
    CheckBackgroundShown();
}

// A silent setup starts no splash, shows no background and keeps its
// dialog at no size; the billboards and the language switcher it starts
// all the same.
void ModeCheck::CheckSilence() {
    if (!m_folder.Silent()) {
        return;
    }
    const std::string mode = m_folder.Value("SPLASH", "A0");
    const std::string sound = m_folder.Value("SPLASH", "A2");
    const bool shows = !mode.empty() && mode != keywords::kSplashDisabled;
    if (shows || sound == keywords::kSoundOn || sound == keywords::kSoundOnLoop) {
        m_findings.Add(kinds::kIgnoredBySilentSetup, TagFile::kFileName, "SPLASH",
                       shows ? "A0" : "A2",
                       std::string(kSilent) +
                           ": setup.exe starts no splash, so [SPLASH] shows "
                           "and plays nothing",
                       "remove [SPLASH] from the silent setup, or SILENT");
    }
    if (m_folder.Tag().ReadInt("BACKGROUND", "0", TagFile::kValueCapacity) == 1) {
        m_findings.Add(kinds::kIgnoredBySilentSetup, TagFile::kFileName, "BACKGROUND", "0",
                       std::string(kSilent) + ": setup.exe shows no background",
                       "remove [BACKGROUND] from the silent setup, or SILENT");
    }
    for (const char* key : {"0", "1"}) {
        if (m_folder.Layout().LineOf("SETUP", key) != 0) {
            m_findings.Add(kinds::kTextUnseenInSilentSetup, TagFile::kFileName, "SETUP", key,
                           std::string(kSilent) +
                               ": the progress dialog has no size, and nobody sees its texts");
            break;
        }
    }
    if (m_folder.Tag().ReadCount("BILLBOARDSKV") != 0) {
        m_findings.Add(kinds::kBillboardsInSilentSetup, TagFile::kFileName, "BILLBOARDSKV", "TOTAL",
                       std::string(kSilent) +
                           ", yet setup.exe shows the billboards on top of the screen while the "
                           "package installs without a window",
                       "remove [BILLBOARDSKV] from the silent setup");
    }
    if (m_folder.Value("APPINFO", "LanguageM") == keywords::kAskUserForLanguage) {
        m_findings.Add(kinds::kWindowInSilentSetup, TagFile::kFileName, "APPINFO", "LanguageM",
                       std::string(kSilent) +
                           ", yet setup.exe runs the language switcher, which asks the user",
                       "write LanguageM=Auto-Detect Language, or leave the language step out");
    }
}

// A non-zero code page keeps the program's own texts; otherwise the
// dialog shows what the tag file gives, an empty text for a missing key.
void ModeCheck::CheckDialogTexts() {
    if (m_folder.Silent()) {
        return;
    }
    const bool keepsOwn = m_folder.Tag().ReadInt("SETUP", "CODEPAGE", TagFile::kValueCapacity) != 0;
    if (!keepsOwn && m_folder.Layout().SectionLine("SETUP") == 0) {
        m_findings.AddAtLine(kinds::kDialogTextMissing, TagFile::kFileName, 0, "SETUP", "",
                             "there is no [SETUP] section: the progress dialog shows no message "
                             "and a Cancel button without a caption",
                             "write [SETUP] with 0=the message and 1=Cancel");
        return;
    }
    const bool anyText =
        m_folder.Layout().LineOf("SETUP", "0") != 0 || m_folder.Layout().LineOf("SETUP", "1") != 0;
    if (keepsOwn && !anyText) {
        m_findings.Add(kinds::kTextHiddenByCodePage, TagFile::kFileName, "SETUP", "CODEPAGE",
                       "CODEPAGE names no code page: any number but 0 makes setup.exe hide its "
                       "progress dialog for the whole run",
                       "write CODEPAGE=0, or leave it out");
    }
    for (const char* key : {"0", "1"}) {
        const bool written = m_folder.Layout().LineOf("SETUP", key) != 0;
        const bool message = key[0] == '0';
        const std::string text = m_folder.Value("SETUP", key);
        if (keepsOwn && written) {
            m_findings.Add(kinds::kTextHiddenByCodePage, TagFile::kFileName, "SETUP", key,
                           "CODEPAGE is not 0: setup.exe hides its dialog and never shows this "
                           "text",
                           "remove CODEPAGE, or this text");
        } else if (!keepsOwn && text.empty()) {
            const std::string what =
                written ? std::string("key ") + key + " is empty" : std::string("no key ") + key;
            m_findings.Add(
                kinds::kDialogTextMissing, TagFile::kFileName, "SETUP", key,
                message ? "no message (" + what + "): the progress dialog shows none"
                        : "no Cancel caption (" + what + "): the dialog's Cancel button is blank",
                message ? "write 0=the message" : "write 1=Cancel");
        } else if (!keepsOwn) {
            CheckAmpersand(key, text, message);
        }
    }
}

// The dialog's message and its button draw their texts as Windows draws a
// control's text: a single "&" is no character but marks the next one as
// the keyboard shortcut, and "&&" shows one "&". A button's "&Cancel" is
// meant so; an "&" before a blank, or any in the message, is not.
void ModeCheck::CheckAmpersand(const char* key, const std::string& text, bool message) {
    std::string shown;
    bool lone = false;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            shown += text[++i];
        } else {
            lone = lone || message || i + 1 == text.size() || text[i + 1] == ' ';
        }
    }
    if (lone) {
        m_findings.Add(kinds::kAmpersandInDialogText, TagFile::kFileName, "SETUP", key,
                       std::string(message ? "the dialog's message" : "the Cancel button") +
                           " shows " + Quote(shown) +
                           ": a single \"&\" marks the next character as a keyboard shortcut "
                           "and is not shown",
                       "write \"&&\" for each \"&\" to show");
    }
}

// Keys 1 to 5 draw a background that key 0 never asked for: without 0=1
// setup.exe shows none.
void ModeCheck::CheckBackgroundShown() {
    if (m_folder.Silent() || m_folder.Layout().LineOf("BACKGROUND", "0") != 0) {
        return;
    }
    for (const char* key : {"1", "2", "3", "4", "5"}) {
        if (!m_folder.Value("BACKGROUND", key).empty()) {
            m_findings.Add(kinds::kBackgroundNeverShown, TagFile::kFileName, "BACKGROUND", key,
                           "[BACKGROUND] has no key 0, which reads as 0: setup.exe never shows "
                           "the background these keys describe",
                           "write 0=1 in [BACKGROUND]");
            return;
        }
    }
}

void ModeCheck::CheckLanguageStep() {
    const std::string mode = m_folder.Value("APPINFO", "LanguageM");
    if (mode != keywords::kAutoDetectLanguage && mode != keywords::kAskUserForLanguage) {
        return;
    }
    std::vector<std::string> systems;
    for (const std::string& name : MachineProfile::BuiltInNames()) {
        const std::optional<MachineProfile> machine = MachineProfile::BuiltIn(name);
        if (!machine->hasUiLanguage) {
            systems.push_back(machine->description.substr(0, machine->description.find(" (")));
        }
    }
    m_findings.Add(kinds::kLanguageStepNeverRuns, TagFile::kFileName, "APPINFO", "LanguageM",
                   "the language switcher never runs on " + Join(systems) +
                       ": they lack GetSystemDefaultUILanguage, and setup.exe goes on without "
                       "the language step");
}

// The browser control is handed A1 as written: a file of the setup folder
// is no address it can resolve.
void ModeCheck::CheckSplashAddress() {
    const std::string mode = m_folder.Value("SPLASH", "A0");
    const std::string address = m_folder.Value("SPLASH", "A1");
    if (m_folder.Silent()) {
        return;
    }
    const bool ends = mode.empty() || mode == keywords::kSplashDisabled;
    if (ends && !m_folder.Value("SPLASH", "A4").empty()) {
        m_findings.Add(kinds::kFieldNeverRead, TagFile::kFileName, "SPLASH", "A4",
                       (mode.empty() ? std::string("without an A0") : "with A0=" + mode) +
                           " the splash ends at once: A4's time is never used",
                       "remove A4, or write the splash's mode in A0");
    }
    if (mode != keywords::kSplashInternetShortcut && !address.empty()) {
        m_findings.Add(kinds::kFieldNeverRead, TagFile::kFileName, "SPLASH", "A1",
                       "A1 holds an address, which " +
                           (ends ? std::string("no splash") : "a " + Quote(mode) + " splash") +
                           " ever shows",
                       "remove A1, or write A0=Internet Shortcut to show the page");
        return;
    }
    if (mode != keywords::kSplashInternetShortcut) {
        return;
    }
    if (address.empty()) {
        m_findings.Add(kinds::kSplashWithoutAddress, TagFile::kFileName, "SPLASH",
                       m_folder.Layout().LineOf("SPLASH", "A1") != 0 ? "A1" : "A0",
                       "an \"Internet Shortcut\" splash with no address in A1: the browser shows "
                       "an empty page for the A4 time",
                       "write the page's address in A1 (http://...)");
        return;
    }
    const std::string::size_type colon = address.find(':');
    const bool located = (colon != std::string::npos && colon >= 1) || address[0] == '\\';
    if (!located && m_folder.InSetupFolder(address)) {
        m_findings.Add(kinds::kSplashAddressIsFile, TagFile::kFileName, "SPLASH", "A1",
                       "the browser is handed " + Quote(address) +
                           " as written: it is no address, and the page of that name in the "
                           "setup folder is not shown",
                       "put the page on a web server and write its address (http://...)");
    }
}

}  // namespace kestavo::vendortools
