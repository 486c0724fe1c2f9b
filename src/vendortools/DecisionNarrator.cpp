#include "vendortools/DecisionNarrator.h"

#include <algorithm>
#include <iterator>

#include "actions/SystemProbes.h"
#include "core/TagKeywords.h"
#include "formats/PictureHeader.h"
#include "platform/IPicturePort.h"
#include "platform/IRegistryPort.h"
#include "prereq/InstallerRuntime.h"

namespace kestavo::vendortools {

namespace {

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

template <std::size_t N>
bool IsOneOf(const std::string& text, const char* const (&words)[N]) {
    return std::find(std::begin(words), std::end(words), text) != std::end(words);
}

std::string RefusalText(int why) {
    switch (static_cast<PictureRefusal>(why)) {
        case PictureRefusal::NotOpened:
            return "the file cannot be opened or read (missing, a folder, a device name, a path "
                   "past 259 characters)";
        case PictureRefusal::FileSize:
            return "the file is empty or larger than " +
                   std::to_string(IPicturePort::kMaxFileSize >> 20) + " MiB";
        case PictureRefusal::TooManyPixels:
            return "its header claims more than " +
                   std::to_string(PictureHeader::kMaxPixels >> 20) + " Mi pixels";
        case PictureRefusal::CutShort:
            return "the bitmap ends within its own headers";
        default:
            return "it is no BMP, GIF or JPEG picture the decoder reads";
    }
}

// Any member of the family after 95 counts as 98.
std::string WindowsText(int minor) {
    switch (minor) {
        case -1:
            return "the system is not of the Windows 9x family";
        case 0:
            return "the system is Windows 95";
        case 10:
            return "the system is Windows 98";
        case 90:
            return "the system is Windows Me, which counts as Windows 98";
        default:
            return "the system is a Windows 9x (4." + std::to_string(minor) +
                   "), which counts as Windows 98";
    }
}

std::string ViewText(int view) {
    switch (static_cast<RegistryView>(view)) {
        case RegistryView::Bits64:
            return " (64-bit view)";
        case RegistryView::Bits32:
            return " (32-bit view)";
        default:
            return "";
    }
}

// The entry as the registry's own editor names it.
std::string EntryText(const std::string& subkey, int view) {
    return std::string("the uninstall entry HKLM\\") + SystemProbes::kUninstallKey + "\\" + subkey +
           ViewText(view);
}

}  // namespace

void DecisionNarrator::Decided(Decision decision, const std::string* text, int number) {
    const std::string value = text == nullptr ? std::string() : *text;
    if (!Runtime(decision, value, number) && !Language(decision, value) &&
        !Sequence(decision, value, number) && !Probe(decision, value, number) &&
        !Product(decision, value, number) && !Media(decision, value, number) &&
        !Then(decision, value)) {
        Record(decision, value, number);
    }
}

void DecisionNarrator::Tell(const std::string& kind, const std::string& text) {
    m_machine.trace.Add(m_machine.scheduler.Now(), kTracePrefix + kind + ": " + text);
}

void DecisionNarrator::TellRecord(const std::string& text) {
    Tell("action", m_strRecord + ": " + text);
}

bool DecisionNarrator::Runtime(Decision decision, const std::string& path, int version) {
    const std::string runtime = "Windows Installer: " + path;
    switch (decision) {
        case Decision::RuntimeMissing:
            Tell("step", runtime + " is missing");
            return true;
        case Decision::RuntimeVersionUnknown:
            Tell("step", runtime + " gives no version");
            return true;
        case Decision::RuntimeTooOld:
            Tell("step", runtime + " is version " + std::to_string(version) + ", older than " +
                             std::to_string(kMinimumRuntimeMajor));
            return true;
        case Decision::RuntimeCurrent:
            Tell("step", runtime + " is version " + std::to_string(version) + ", current");
            return true;
        case Decision::RedistributableChosen:
            Tell("step", "Windows Installer is not current: the redistributable " + path + " runs");
            return true;
        case Decision::RedistributableAgain:
            Tell("step",
                 "Windows Installer was not current when the progress dialog started: the "
                 "redistributable " +
                     path + " runs again before the package");
            return true;
        default:
            return false;
    }
}

bool DecisionNarrator::Language(Decision decision, const std::string& text) {
    switch (decision) {
        case Decision::LanguageNotAsked:
            if (!text.empty()) {
                Tell("step", "language step: [APPINFO] LanguageM " + Quote(text) + " is neither " +
                                 Quote(keywords::kAutoDetectLanguage) + " nor " +
                                 Quote(keywords::kAskUserForLanguage) +
                                 ": the language switcher does not run");
            }
            return true;
        case Decision::LanguageDetected:
            Tell("step", text.empty() ? "language step: setup.exe has no name for the system's "
                                        "language"
                                      : "language step: the system's language is " + Quote(text));
            return true;
        case Decision::SwitcherMissing:
            Tell("step",
                 "the language switcher does not run: neither Languages\\switch.exe nor "
                 "switch.exe is in the setup folder");
            return true;
        case Decision::SwitcherWithoutUiLanguage:
            Tell("step",
                 "the language switcher does not run: the system cannot name its "
                 "user-interface language (it has no GetSystemDefaultUILanguage)");
            return true;
        default:
            return false;
    }
}

bool DecisionNarrator::Sequence(Decision decision, const std::string& text, int number) {
    switch (decision) {
        case Decision::NoTagFile:
            Tell("step", "no kestavo.tag: the package installs at once, with nothing shown");
            return true;
        case Decision::SilentRun:
            Tell("step", "[BUILD] SILENT=1: a silent installation, without splash and background");
            return true;
        case Decision::DialogHidden:
            Tell("step",
                 "[SETUP] CODEPAGE is not 0: the progress dialog keeps its own texts and "
                 "is hidden");
            return true;
        case Decision::FileSupportAtPoint:
            Tell("step",
                 "FILESUPPORT record " + std::to_string(number) + " runs at " + Quote(text));
            return true;
        case Decision::FileSupportAtOtherPoint:
            FileSupportPointless(text, number);
            return true;
        case Decision::FileSupportPathCut:
            Tell("step", "FILESUPPORT record " + std::to_string(number) + ": the program path " +
                             Quote(text) +
                             " fills its buffer and may have been cut: it is not started");
            return true;
        case Decision::InstallerCommandTooLong:
            Tell("step", "the installer's command line is " + std::to_string(text.size()) +
                             " characters, more than CreateProcess takes: msiexec.exe does not "
                             "start");
            return true;
        case Decision::PostCompletionPass:
            Tell("step",
                 "the action list runs again after the package, as asked for in the "
                 "first pass");
            return true;
        default:
            return false;
    }
}

// A record at another point runs at its own; one whose point is neither
// runs at none, which is said once.
void DecisionNarrator::FileSupportPointless(const std::string& point, int index) {
    if (IsOneOf(point, keywords::kFileSupportPoints) || !m_pointless.insert(index).second) {
        return;
    }
    Tell("step", "FILESUPPORT record " + std::to_string(index) + " never runs: its point " +
                     Quote(point) + " is neither " + Quote(keywords::kBeforeInstallation) +
                     " nor " + Quote(keywords::kAfterInstallation));
}

// What a probe found is the reason for the answer that follows it.
bool DecisionNarrator::Probe(Decision decision, const std::string& text, int number) {
    switch (decision) {
        case Decision::WindowOpen:
            m_strReason = "a window titled " + Quote(text) + " is open";
            return true;
        case Decision::NoWindowOpen:
            m_strReason = text.empty() ? "an empty title matches no window"
                                       : "no window titled " + Quote(text) + " is open";
            return true;
        case Decision::FileFound:
            m_strReason = Quote(text) + " exists";
            return true;
        case Decision::FileNotFound:
            m_strReason = Quote(text) + " does not exist";
            return true;
        case Decision::DotNetPresent:
            m_strReason = ".NET's InstallRoot is registered: " + Quote(text);
            return true;
        case Decision::DotNetAbsent:
            m_strReason = "no .NET InstallRoot is registered";
            return true;
        case Decision::WindowsVersion:
            m_strReason = WindowsText(number);
            return true;
        default:
            return false;
    }
}

// The entry that matched comes first, then the product's answer.
bool DecisionNarrator::Product(Decision decision, const std::string& text, int view) {
    switch (decision) {
        case Decision::UninstallEntryNamed:
            m_strEntry = EntryText(text, view) + " is named ";
            return true;
        case Decision::UninstallEntryShown:
            m_strEntry = EntryText(text, view) + " has the DisplayName ";
            return true;
        case Decision::ProductInstalled:
            m_strReason = m_strEntry + Quote(text);
            m_strEntry.clear();
            return true;
        case Decision::ProductNotInstalled:
            m_strReason = text.empty() ? "an empty name matches no uninstall entry"
                                       : "no uninstall entry is named or shown as " + Quote(text);
            return true;
        default:
            return false;
    }
}

bool DecisionNarrator::Media(Decision decision, const std::string& path, int number) {
    switch (decision) {
        case Decision::SoundNotPlayed:
            Tell("media", "sound " + path + " cannot be played: the splash is silent");
            return true;
        case Decision::AnimationNotOpened:
            Tell("media", "animation " + path + " cannot be opened: the splash shows none");
            return true;
        case Decision::PictureRefused:
            Tell("media", "picture " + path + " is not shown: " + RefusalText(number));
            return true;
        default:
            return false;
    }
}

// What a record does once its condition holds, and its completion choice.
bool DecisionNarrator::Then(Decision decision, const std::string& text) {
    switch (decision) {
        case Decision::ThenProgramStarted:
            TellRecord("then " + Quote(keywords::kRunProgram) + ": starts " + text +
                       " through the shell");
            return true;
        case Decision::ThenMessageShown:
            TellRecord("then " + Quote(keywords::kShowMessageBox) + ": shows " + Quote(text));
            return true;
        case Decision::NoThenActionMatched:
            TellRecord((text.empty() ? std::string("no then-action")
                                     : "then " + Quote(text) + " is no action setup.exe knows") +
                       ": nothing is done");
            return true;
        case Decision::WindowToClose:
            TellRecord("then " + Quote(keywords::kCloseProgram) + ": tells the window " +
                       Quote(text) + " to quit");
            return true;
        case Decision::NoWindowToClose:
            TellRecord("then " + Quote(keywords::kCloseProgram) +
                       ": no window is titled or of "
                       "class " +
                       Quote(text) + ": nothing is closed");
            return true;
        default:
            return Completion(decision, text);
    }
}

bool DecisionNarrator::Completion(Decision decision, const std::string& choice) {
    switch (decision) {
        case Decision::CompletionStops:
            TellRecord("completion choice " + Quote(choice) + ": the installation stops");
            return true;
        case Decision::CompletionRestarts:
            TellRecord("completion choice " + Quote(choice) +
                       ": the restart dialog is shown (nothing restarts)");
            return true;
        case Decision::CompletionNone:
            if (!choice.empty()) {
                TellRecord("completion choice " + Quote(choice) +
                           " is none setup.exe knows: the installation goes on");
            }
            return true;
        case Decision::CompletionIgnored:
            if (!choice.empty()) {
                TellRecord(Quote(keywords::kRunTormivex) +
                           " takes no completion choice: " + Quote(choice) + " is ignored");
            }
            return true;
        default:
            return false;
    }
}

// A record's type and what it made of the record.
void DecisionNarrator::Record(Decision decision, const std::string& text, int number) {
    switch (decision) {
        case Decision::RecordTakenUp:
            m_strRecord = "record " + std::to_string(number) + " " + Quote(text);
            m_strReason.clear();
            break;
        case Decision::RecordDeferred:
            TellRecord(Quote(text) + " marked " + Quote(keywords::kAfterSetupComplete) +
                       ": waits for the pass after the package, which it asks for");
            break;
        case Decision::ConditionHolds:
            TellRecord(Quote(text) + " holds: " + m_strReason);
            break;
        case Decision::ConditionDoesNotHold:
            TellRecord(Quote(text) + " does not hold: " + m_strReason + "; nothing is done");
            break;
        case Decision::NoTypeMatched:
            TellRecord((text.empty() ? std::string("no type") : Quote(text) + " is no type") +
                       " setup.exe knows: nothing is done");
            break;
        case Decision::PassAskedBySplash:
            SplashAsksForPass(text);
            break;
        default:
            Program(decision, text);
    }
}

void DecisionNarrator::Program(Decision decision, const std::string& text) {
    switch (decision) {
        case Decision::MessageShown:
            TellRecord(Quote(keywords::kShowMessageBox) + ": shows " + Quote(text));
            break;
        case Decision::UpdaterStarted:
            TellRecord(Quote(keywords::kRunTormivex) +
                       ": starts tormivex.exe from the temporary folder");
            break;
        case Decision::ProgramStarted:
            TellRecord(Quote(keywords::kRunThirdParty) + ": starts " + text + " through the shell");
            break;
        case Decision::BatchFileStarted:
            TellRecord(Quote(keywords::kRunThirdParty) + ": starts the batch file " + text +
                       " through cmd.exe");
            break;
        case Decision::BatchFileRefused:
            TellRecord(Quote(keywords::kRunThirdParty) + ": does not start " + text +
                       ": a batch file named with a quote or a percent sign never runs");
            break;
        case Decision::ProgramStartedAndWaitedFor:
            TellRecord(Quote(keywords::kRunThirdPartyAndWait) + ": starts " + text +
                       " and waits for it");
            break;
        default:
            break;
    }
}

void DecisionNarrator::SplashAsksForPass(const std::string& value) {
    if (m_bSplashPassTold) {
        return;
    }
    m_bSplashPassTold = true;
    Tell("action", "[SPLASH] B0 " + Quote(value) +
                       " is not empty: the action list runs again after the package");
}

}  // namespace kestavo::vendortools
