#include "vendortools/ActionListCheck.h"

#include <algorithm>
#include <cctype>

#include "actions/AdvancedActions.h"
#include "actions/SystemProbes.h"
#include "core/TagKeywords.h"
#include "vendortools/CheckText.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/MachineProfile.h"

namespace kestavo::vendortools {

namespace {

using checktext::Join;
using checktext::Lower;
using checktext::Quote;

const char kSection[] = "ADVACTIONSKV";

// The fields in the order of their key letters, A to H.
constexpr std::string AdvancedAction::*kFields[] = {
    &AdvancedAction::name,       &AdvancedAction::type,       &AdvancedAction::subject,
    &AdvancedAction::thenAction, &AdvancedAction::completion, &AdvancedAction::timing,
    &AdvancedAction::argument,   &AdvancedAction::parameters};

const std::string& FieldOf(const AdvancedAction& action, char letter) {
    return action.*kFields[letter - 'A'];
}

template <std::size_t N>
bool IsOneOf(const std::string& value, const char* const (&words)[N]) {
    return std::find(std::begin(words), std::end(words), value) != std::end(words);
}

bool IsCondition(const std::string& type) {
    return IsOneOf(type, keywords::kConditionTypes);
}

// The conditions about the record's subject.
bool AsksAboutSubject(const std::string& type) {
    return type == keywords::kIfRunning || type == keywords::kIfInstalled ||
           type == keywords::kIfNotInstalled || type == keywords::kIfFileExists;
}

bool ShowsMessageBox(const AdvancedAction& action) {
    return action.type == keywords::kShowMessageBox ||
           (IsCondition(action.type) && action.thenAction == keywords::kShowMessageBox);
}

bool RunsThirdParty(const std::string& type) {
    return type == keywords::kRunThirdParty || type == keywords::kRunThirdPartyAndWait;
}

// Every type but "Run Tormivex" applies its completion choice.
bool AppliesCompletion(const std::string& type) {
    return type != keywords::kRunTormivex;
}

// A direct record that stops in the first pass: the pass ends there, and
// no later record, nor the pass after the package, ever runs.
bool AlwaysStops(const AdvancedAction& action) {
    return action.completion == keywords::kStopInstallation && !IsCondition(action.type) &&
           AppliesCompletion(action.type) && IsOneOf(action.type, keywords::kActionTypes) &&
           action.timing != keywords::kAfterSetupComplete;
}

std::string Key(char letter, int record) {
    return TagFile::ListKey(letter, record);
}

// The record's number, and its name when it has one.
std::string Numbered(int record, const AdvancedAction& action) {
    return std::to_string(record) +
           (action.name.empty() ? std::string() : " " + Quote(action.name));
}

std::string RecordName(int record, const AdvancedAction& action) {
    return "record " + Numbered(record, action);
}

// The program's name as the first word of a command line, unquoted.
std::string FirstWord(const std::string& text) {
    if (!text.empty() && text[0] == '"') {
        return text.substr(1, text.find('"', 1) - 1);
    }
    return text.substr(0, text.find(' '));
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A program's file or path ("acme.exe", "C:\\Acme\\acme.msi") where a
// window title or a product's name is compared.
bool LooksLikeFile(const std::string& subject) {
    const std::string lower = Lower(subject);
    for (const char* extension : {".exe", ".com", ".bat", ".cmd", ".msi"}) {
        if (EndsWith(lower, extension)) {
            return true;
        }
    }
    return subject.size() > 2 && subject[1] == ':' && subject[2] == '\\';
}

// A product code in any notation, in braces or bare, any letter case: the
// 8-4-4-4-12 hexadecimal digits; empty when the text is none.
std::string ProductCodeDigits(const std::string& text) {
    const bool braced = text.size() == 38 && text.front() == '{' && text.back() == '}';
    const std::string digits = braced ? text.substr(1, 36) : text;
    if (digits.size() != 36) {
        return "";
    }
    for (std::string::size_type i = 0; i < digits.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? digits[i] != '-' : !std::isxdigit(static_cast<unsigned char>(digits[i]))) {
            return "";
        }
    }
    return digits;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Stem(const std::string& name) {
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

void ActionListCheck::Run() {
    const std::vector<int> records = m_folder.Records(kSection, 'A', 'H');
    for (const int record : records) {
        const AdvancedAction action = Read(record);
        if (IsOneOf(action.type, keywords::kActionTypes)) {
            CheckRecord(record, action);
        }
    }
    CheckSecondPass(records);
}

AdvancedAction ActionListCheck::Read(int record) const {
    AdvancedAction action;
    char letter = 'A';
    for (std::string AdvancedAction::*field : kFields) {
        action.*field = m_folder.Field(kSection, letter++, record);
    }
    return action;
}

void ActionListCheck::CheckRecord(int record, const AdvancedAction& action) {
    if (CheckDoesNothing(record, action)) {
        return;
    }
    CheckSubjectNotation(record, action);
    CheckSystemCondition(record, action);
    const std::string placed = CheckEmptyField(record, action);
    CheckMessage(record, action);
    CheckSubject(record, action);
    CheckCompletion(record, action);
    CheckUnreadFields(record, action, placed);
    CheckWaitParameters(record, action);
    CheckSilentWindows(record, action);
}

std::string ActionListCheck::ReadLetters(const AdvancedAction& action) const {
    const std::string& type = action.type;
    if (IsCondition(type)) {
        const std::string& then = action.thenAction;
        // A then-action that matches no keyword has a finding of its own:
        // what it would read is what its writer meant.
        const bool unknown = !then.empty() && !IsOneOf(then, keywords::kThenActions);
        const bool subject = AsksAboutSubject(type) || then == keywords::kCloseProgram || unknown;
        const bool argument =
            then == keywords::kRunProgram || then == keywords::kShowMessageBox || unknown;
        return std::string(subject ? "C" : "") + "DE" + (argument ? "G" : "");
    }
    if (type == keywords::kShowMessageBox) {
        return "EG";
    }
    if (type == keywords::kRunThirdParty) {
        return IsBatchFile(m_folder.FileName(action.argument)) ? "EG" : "EGH";
    }
    return type == keywords::kRunThirdPartyAndWait ? "EGH" : "";
}

// A message box, a program to run: G empty, perhaps while the text meant
// for it stands in a field the type never reads (the name, A, is the
// vendor's own and stays out of it).
std::string ActionListCheck::CheckEmptyField(int record, const AdvancedAction& action) {
    const bool box = ShowsMessageBox(action);
    const bool program = RunsThirdParty(action.type) ||
                         (IsCondition(action.type) && action.thenAction == keywords::kRunProgram);
    if ((!box && !program) || !action.argument.empty()) {
        return "";
    }
    const std::string read = ReadLetters(action);
    std::string placed;
    for (const char letter : {'C', 'H', 'D'}) {
        if (placed.empty() && read.find(letter) == std::string::npos &&
            !FieldOf(action, letter).empty()) {
            placed = std::string(1, letter);
        }
    }
    const std::string argumentKey = Key('G', record);
    const std::string misplaced = placed.empty()
                                      ? ""
                                      : "; " + Quote(FieldOf(action, placed[0])) + " in " +
                                            Key(placed[0], record) + " is never read";
    const std::string fix = placed.empty()
                                ? "write " + argumentKey + "=the " + (box ? "message" : "program")
                                : "move it to " + argumentKey;
    if (box) {
        m_findings.Add(kinds::kEmptyMessageBox, TagFile::kFileName, kSection, Key('B', record),
                       RecordName(record, action) +
                           " shows an empty message box: its text is read from " + argumentKey +
                           ", which is empty" + misplaced,
                       fix);
    } else {
        const std::string what = action.type == keywords::kRunThirdParty
                                     ? "the shell opens the setup folder itself in a window"
                                     : "it starts nothing";
        m_findings.Add(kinds::kNoProgram, TagFile::kFileName, kSection, Key('B', record),
                       RecordName(record, action) + " names no program in " + argumentKey + ": " +
                           what + misplaced,
                       fix);
    }
    return placed;
}

void ActionListCheck::CheckMessage(int record, const AdvancedAction& action) {
    const std::string escape = checktext::EscapeIn(action.argument);
    if (ShowsMessageBox(action) && !escape.empty()) {
        m_findings.Add(kinds::kEscapeShownAsWritten, TagFile::kFileName, kSection, Key('G', record),
                       "the message box shows " + Quote(escape) +
                           " as it stands: a tag file has no notation for a line break",
                       "write the message on one line, without " + Quote(escape));
    }
}

// An empty subject never matches: the conditions about it never hold, and
// "not installed" always does.
void ActionListCheck::CheckSubject(int record, const AdvancedAction& action) {
    const std::string& type = action.type;
    if (!action.subject.empty() || !IsCondition(type) ||
        (!AsksAboutSubject(type) && action.thenAction != keywords::kCloseProgram)) {
        return;
    }
    const std::string then = Key('D', record);
    std::string what = "\"Close Program\" closes nothing: an empty name matches no window";
    if (type == keywords::kIfRunning) {
        what = "the condition never holds: an empty title matches no window, so " + then +
               " never runs";
    } else if (type == keywords::kIfInstalled) {
        what = "the condition never holds: an empty name matches no product";
    } else if (type == keywords::kIfNotInstalled) {
        what = "the condition always holds: an empty name matches no product, so " + then +
               " runs on every machine";
    } else if (type == keywords::kIfFileExists) {
        what = "the condition never holds: an empty path names no file";
    }
    m_findings.Add(
        kinds::kEmptySubject, TagFile::kFileName, kSection, Key('B', record),
        RecordName(record, action) + " has no subject in " + Key('C', record) + ": " + what,
        "write the window title, product name or file in " + Key('C', record));
}

// A condition without a then-action or a choice that acts: whether it
// holds or not, the record does nothing.
bool ActionListCheck::CheckDoesNothing(int record, const AdvancedAction& action) {
    const bool choice = action.completion == keywords::kStopInstallation ||
                        action.completion == keywords::kRestartComputer;
    if (!IsCondition(action.type) || !action.thenAction.empty() || choice) {
        return false;
    }
    const std::string then = Key('D', record);
    m_findings.Add(
        kinds::kConditionDoesNothing, TagFile::kFileName, kSection, Key('B', record),
        RecordName(record, action) + " tests its condition and does nothing either way: " + then +
            " names no then-action" +
            (action.argument.empty() ? "" : ", so " + Key('G', record) + " is never used"),
        "write " + then + "=Show MessageBox, Run Program or Close Program, or " + Key('E', record) +
            "=Stop installation");
    return true;
}

// Windows are found by their titles and products by their names or codes,
// compared as written: a program's file, or a code in another notation
// than the uninstall list's, matches nothing.
void ActionListCheck::CheckSubjectNotation(int record, const AdvancedAction& action) {
    const std::string& subject = action.subject;
    const std::string key = Key('C', record);
    const bool window =
        action.type == keywords::kIfRunning || action.thenAction == keywords::kCloseProgram;
    const bool product =
        action.type == keywords::kIfInstalled || action.type == keywords::kIfNotInstalled;
    const std::string code = ProductCodeDigits(subject);
    if (subject.empty() || subject.find('<') != std::string::npos) {
        return;
    }
    if ((window || product) && subject.find_first_of("*?") != std::string::npos) {
        m_findings.Add(
            kinds::kWildcardComparedExactly, TagFile::kFileName, kSection, key,
            "setup.exe compares " + key + " with each " +
                (window ? "window's title" : "product's name") +
                " exactly: \"*\" and \"?\" stand for themselves (only the file "
                "condition takes wildcards), and " +
                Quote(subject) + " matches nothing",
            window ? "write the window's whole title" : "write the product's whole name");
    } else if (product && !code.empty() && subject != "{" + Upper(code) + "}") {
        m_findings.Add(kinds::kProductCodeNotation, TagFile::kFileName, kSection, key,
                       Quote(subject) +
                           " is a product code written otherwise than the uninstall list names "
                           "it: setup.exe compares it exactly, in braces and capitals, and finds "
                           "no product",
                       "write " + key + "={" + Upper(code) + "}");
    } else if ((window || product) && LooksLikeFile(subject)) {
        m_findings.Add(kinds::kTitleWrittenAsFile, TagFile::kFileName, kSection, key,
                       Quote(subject) + " is a file, but setup.exe compares " + key + " with " +
                           (window ? "the titles of the windows on the screen"
                                   : "the names of the products installed") +
                           ": no " + (window ? "window" : "product") + " is named so",
                       window ? "write the title of the program's main window"
                              : "write the product's name as Programs and Features shows it, or "
                                "its product code in braces");
    }
}

// The version conditions asked of the program's own probe on each system
// the preview knows: one that holds only where setup.exe does not start
// never acts.
void ActionListCheck::CheckSystemCondition(int record, const AdvancedAction& action) {
    const int wanted = action.type == keywords::kIfWindows95   ? 95
                       : action.type == keywords::kIfWindows98 ? 98
                                                               : 0;
    if (wanted == 0) {
        return;
    }
    std::vector<std::string> systems;
    for (const std::string& name : MachineProfile::BuiltInNames()) {
        const std::optional<MachineProfile> machine = MachineProfile::BuiltIn(name);
        sim::SimMachine simulated;
        simulated.InstallWindows(machine->version, machine->windowsFolder, machine->systemFolder);
        if (SystemProbes(simulated.GetPorts()).GetWindows9xVersion() != wanted) {
            continue;
        }
        if (machine->supported) {
            return;
        }
        systems.push_back(machine->description.substr(0, machine->description.find(" (")));
    }
    m_findings.Add(kinds::kHoldsWhereSetupNeverStarts, TagFile::kFileName, kSection,
                   Key('B', record),
                   "the condition holds only on " + Join(systems) +
                       ", where setup.exe does not start (it needs Windows XP SP3 or later): " +
                       RecordName(record, action) + " never acts",
                   "remove the record, or ship the older systems another setup");
}

void ActionListCheck::CheckCompletion(int record, const AdvancedAction& action) {
    const std::string& type = action.type;
    const std::string key = Key('E', record);
    const bool stop = action.completion == keywords::kStopInstallation;
    const bool restart = action.completion == keywords::kRestartComputer;
    if (!AppliesCompletion(type) && (stop || restart)) {
        m_findings.Add(kinds::kCompletionIgnored, TagFile::kFileName, kSection, key,
                       "a " + Quote(type) +
                           " record applies no completion choice: setup.exe "
                           "never does " +
                           Quote(action.completion) + " for " + RecordName(record, action),
                       "remove " + key);
    } else if (AlwaysStops(action)) {
        m_findings.Add(kinds::kAlwaysStops, TagFile::kFileName, kSection, key,
                       RecordName(record, action) + " always stops the setup: a " + Quote(type) +
                           " record always applies its completion choice, so the package is "
                           "never installed",
                       "remove " + key +
                           ", or make the record a condition (a type \"If ...\") "
                           "whose then-action shows the message");
    } else if (stop && action.timing == keywords::kAfterSetupComplete) {
        m_findings.Add(kinds::kStopAfterPackage, TagFile::kFileName, kSection, key,
                       RecordName(record, action) +
                           " runs after the package only: \"Stop installation\" there stops "
                           "nothing, but tells the user \"Can't continue with installation... "
                           "Aborting.\" although the package is installed",
                       "remove " + key);
    } else if (restart) {
        m_findings.Add(kinds::kRestartRestartsNothing, TagFile::kFileName, kSection, key,
                       "\"Restart Computer\" shows an empty dialog titled \"Dialog\" with OK and "
                       "Cancel, and restarts nothing, whichever is pressed",
                       "leave restarts to the package: msiexec.exe asks for one itself (exit "
                       "code 3010)");
    }
}

void ActionListCheck::CheckUnreadFields(int record, const AdvancedAction& action,
                                        const std::string& placed) {
    const std::string read = ReadLetters(action);
    std::vector<std::string> unread;
    for (const char letter : {'C', 'D', 'E', 'G', 'H'}) {
        const bool choiceIgnored = letter == 'E' && !AppliesCompletion(action.type);
        if (read.find(letter) == std::string::npos && placed.find(letter) == std::string::npos &&
            !choiceIgnored && !FieldOf(action, letter).empty()) {
            unread.push_back(Key(letter, record));
        }
    }
    if (unread.empty()) {
        return;
    }
    const bool batchParameters = unread == std::vector<std::string>{Key('H', record)} &&
                                 action.type == keywords::kRunThirdParty;
    const std::string then = IsCondition(action.type) && !action.thenAction.empty()
                                 ? " with the then-action " + Quote(action.thenAction)
                                 : "";
    m_findings.Add(kinds::kFieldNeverRead, TagFile::kFileName, kSection, unread.front(),
                   batchParameters
                       ? "a batch file runs through cmd.exe without parameters: setup.exe never "
                         "passes " +
                             Quote(action.parameters)
                       : Join(unread) + (unread.size() == 1 ? " holds" : " hold") +
                             " text that a " + Quote(action.type) + " record" + then +
                             " never reads",
                   batchParameters ? "read the parameters in the batch file itself, or start a "
                                     "program instead"
                                   : "remove it, or give the record a type that reads it");
}

// CreateProcess hands the parameters over as the whole command line, which
// by custom begins with the program's own name.
void ActionListCheck::CheckWaitParameters(int record, const AdvancedAction& action) {
    if (action.type != keywords::kRunThirdPartyAndWait || action.parameters.empty()) {
        return;
    }
    const std::string program = m_folder.FileName(action.argument);
    const std::string first = FirstWord(action.parameters);
    const std::string name = Lower(m_folder.FileName(first));
    if (name == Lower(program) || name == Lower(Stem(program))) {
        return;
    }
    const std::string key = Key('H', record);
    m_findings.Add(kinds::kWaitParametersAreCommandLine, TagFile::kFileName, kSection, key,
                   "setup.exe passes " + Quote(action.parameters) + " as " + program +
                       "'s whole command line: a program that reads its arguments the usual "
                       "way takes " +
                       Quote(first) + " for its own name and never sees it as an argument",
                   "write " + key + "=" + program + " " + action.parameters);
}

void ActionListCheck::CheckSilentWindows(int record, const AdvancedAction& action) {
    if (!m_folder.Silent()) {
        return;
    }
    std::vector<std::string> windows;
    if (ShowsMessageBox(action)) {
        windows.push_back("its message box");
    }
    if (AppliesCompletion(action.type) && action.completion == keywords::kStopInstallation) {
        windows.push_back("the stop message");
    }
    if (AppliesCompletion(action.type) && action.completion == keywords::kRestartComputer) {
        windows.push_back("the restart dialog");
    }
    if (windows.empty()) {
        return;
    }
    m_findings.Add(kinds::kWindowInSilentSetup, TagFile::kFileName, kSection, Key('B', record),
                   "the setup is silent, but " + RecordName(record, action) + " still shows " +
                       Join(windows) +
                       (IsCondition(action.type) ? " when its condition holds" : "") +
                       ", and waits for an answer",
                   "leave the record out of the silent setup");
}

// The pass after the package runs every record again that is not marked
// for it alone; a non-empty SPLASH B0 asks for that pass too.
void ActionListCheck::CheckSecondPass(const std::vector<int>& records) {
    std::vector<std::string> after;
    std::vector<std::string> twice;
    std::string firstAfter;
    for (const int record : records) {
        const AdvancedAction action = Read(record);
        if (AlwaysStops(action)) {
            return;
        }
        if (action.timing == keywords::kAfterSetupComplete) {
            firstAfter = firstAfter.empty() ? Key('F', record) : firstAfter;
            after.push_back(std::to_string(record));
        } else if (IsOneOf(action.type, keywords::kActionTypes)) {
            twice.push_back(Numbered(record, action));
        }
    }
    const std::string b0 = m_folder.Value("SPLASH", "B0");
    const bool asked = !b0.empty() && m_folder.Tag().ReadCount(kSection) != 0;
    if ((after.empty() && !asked) || twice.empty()) {
        return;
    }
    std::vector<std::string> causes;
    if (asked) {
        causes.push_back("SPLASH B0 is not empty (" + Quote(b0) + "; any text asks for it)");
    }
    if (!after.empty()) {
        causes.push_back((after.size() == 1 ? "record " : "records ") + Join(after) +
                         (after.size() == 1 ? " is" : " are") +
                         " marked \"After Setup Complete Dialog\"");
    }
    const std::string which = (twice.size() == 1 ? "record " : "records ") + Join(twice);
    const std::string message = "setup.exe runs the action list again after the package, as " +
                                Join(causes) + ": " + which +
                                (twice.size() == 1 ? " runs" : " run") +
                                " twice, before and after the package, as every record not "
                                "marked \"After Setup Complete Dialog\" does";
    const std::string fix = "make sure " + which + " may run twice" +
                            (asked ? ", or remove SPLASH B0" : "") +
                            "; what must run once after the package belongs in a FILESUPPORT "
                            "program of \"After installation\"";
    if (asked) {
        m_findings.Add(kinds::kSecondPass, TagFile::kFileName, "SPLASH", "B0", message, fix);
    } else {
        m_findings.Add(kinds::kSecondPass, TagFile::kFileName, kSection, firstAfter, message, fix);
    }
}

}  // namespace kestavo::vendortools
