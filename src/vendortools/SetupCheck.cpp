#include "vendortools/SetupCheck.h"

#include <algorithm>

#include "core/TagKeywords.h"
#include "presentation/CMainFrame.h"
#include "vendortools/ActionListCheck.h"
#include "vendortools/CheckText.h"
#include "vendortools/FilesCheck.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/FolderMacroCheck.h"
#include "vendortools/KeywordMatch.h"
#include "vendortools/ListCheck.h"
#include "vendortools/ModeCheck.h"
#include "vendortools/NamesCheck.h"

namespace kestavo::vendortools {

namespace {

using checktext::IsWholeNumber;
using checktext::JoinQuoted;
using checktext::Lower;
using checktext::Quote;
using checktext::StartsWithNumber;

// Larger than any value a tag file holds: what the vendor wrote, uncut.
constexpr std::size_t kWhole = 1 << 20;
// The longest time a timer waits, in whole seconds.
constexpr long long kLongestSeconds = 0x7FFFFFFF / 1000;

// What a flag written as a word was meant to say.
std::string FlagFix(const std::string& value) {
    const std::string word = Lower(value);
    for (const char* on : {"yes", "y", "true", "on", "enable", "enabled", "x"}) {
        if (word == on) {
            return "write 1";
        }
    }
    for (const char* off : {"no", "n", "false", "off", "disable", "disabled", "none"}) {
        if (word == off) {
            return "write 0";
        }
    }
    return "write 1 to turn it on, or 0";
}

// A value that says "none" ("Sound Off", "No restart") where any value but
// the keywords does nothing: it does what it says.
bool SaysNone(const std::string& value) {
    const std::string text = " " + Lower(value) + " ";
    for (const char* word : {" off ", " no ", " none ", " disabled ", " mute "}) {
        if (text.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

SetupCheck::SetupCheck(const SetupFolderImage& folder)
    : m_folder(folder), m_findings(m_folder.Layout(), m_folder.DataLayout()) {}

bool SetupCheck::IsCode(const std::string& code) {
    return std::any_of(std::begin(kinds::kAll), std::end(kinds::kAll),
                       [&](const FindingKind* kind) { return code == kind->code; });
}

std::vector<Finding> SetupCheck::Run() {
    m_findings.Clear();
    CheckFile(TagFile::kFileName);
    CheckFile(TagFile::kDataFileName);
    if (m_folder.Readable(TagFile::kFileName)) {
        ListCheck(m_folder, m_findings).Run();
        ActionListCheck(m_folder, m_findings).Run();
        FolderMacroCheck(m_folder, m_findings).Run();
        ModeCheck(m_folder, m_findings).Run();
    }
    FilesCheck(m_folder, m_findings).Run();
    std::vector<Finding> findings = m_findings.InOrder();
    const auto ignored = std::remove_if(findings.begin(), findings.end(), [&](const Finding& f) {
        return m_ignored.count(f.code) != 0;
    });
    m_ignoredCount = static_cast<std::size_t>(findings.end() - ignored);
    findings.erase(ignored, findings.end());
    return findings;
}

std::string SetupCheck::ValueAsRead(const std::string& file, const std::string& section,
                                    const std::string& key) const {
    const KeyRule* rule = TagSchema::Find(file, section, key);
    return rule == nullptr ? std::string() : ValueAsRead(file, section, key, rule->capacity);
}

std::string SetupCheck::ValueAsRead(const std::string& file, const std::string& section,
                                    const std::string& key, std::size_t capacity) const {
    return m_folder.TagOf(file).Read(section, key, capacity);
}

void SetupCheck::CheckFile(const std::string& file) {
    if (!m_folder.TagLayoutOf(file).Exists()) {
        return;
    }
    if (!m_folder.Readable(file)) {
        const std::string bytes = *m_folder.Image().Bytes(file);
        const bool utf16 = bytes.size() > 1 && (bytes[0] == '\0' || bytes[1] == '\0');
        m_findings.AddAtLine(
            kinds::kTagFileNotText, file, 0, "", "",
            std::string("the file is ") +
                (utf16 ? "UTF-16 text without a byte-order mark" : "no text (it holds NUL bytes)") +
                ": setup.exe reads no setting from it, shows a progress dialog without "
                "texts and does nothing the file says",
            "save it as ANSI text");
        return;
    }
    NamesCheck(m_folder, m_findings).Run(file);
    CheckValues(file);
}

void SetupCheck::CheckValues(const std::string& file) {
    for (const TagLayout::Line& line : m_folder.TagLayoutOf(file).Lines()) {
        if (line.header || line.hidden) {
            continue;
        }
        const KeyRule* rule = TagSchema::Find(file, line.section, line.key);
        if (rule != nullptr &&
            (file != TagFile::kFileName || m_folder.IsRead(line.section, line.key))) {
            CheckValue(file, line.section, line.key, *rule);
        }
    }
}

void SetupCheck::CheckValue(const std::string& file, const std::string& section,
                            const std::string& key, const KeyRule& rule) {
    CheckCut(file, section, key, rule);
    const std::string value = ValueAsRead(file, section, key, rule.capacity);
    if (IsShownText(section, key)) {
        CheckEscape(section, key, value);
    }
    if (TakesComment(section, key, rule) && CheckComment(file, section, key, value)) {
        return;
    }
    switch (rule.kind) {
        case ValueKind::Flag:
        case ValueKind::Number:
        case ValueKind::Count:
        case ValueKind::Seconds:
            CheckNumber(file, section, key, rule, value);
            break;
        case ValueKind::Keyword:
            CheckKeyword(file, section, key, rule, value);
            break;
        case ValueKind::Colour:
            CheckColour(file, section, key, value);
            break;
        default:
            break;
    }
}

void SetupCheck::CheckCut(const std::string& file, const std::string& section,
                          const std::string& key, const KeyRule& rule) {
    const std::string whole = ValueAsRead(file, section, key, kWhole);
    const std::string kept = ValueAsRead(file, section, key, rule.capacity);
    if (section == "FILESUPPORT" && rule.kind == ValueKind::Program &&
        TagFile::FillsBuffer(kept, rule.capacity)) {
        m_findings.Add(
            kinds::kProgramPathFillsBuffer, file, section, key,
            "the path fills its buffer, as a cut one does: setup.exe never starts "
            "this program",
            "shorten it to " + std::to_string(rule.capacity - 2) + " characters or fewer");
    } else if (whole.size() > kept.size()) {
        m_findings.Add(
            kinds::kValueCut, file, section, key,
            "the value's " + std::to_string(whole.size()) + " characters are cut to " +
                std::to_string(kept.size()) + ": setup.exe reads " + Quote(kept),
            "shorten it to " + std::to_string(rule.capacity - 1) + " characters or fewer");
    }
}

void SetupCheck::CheckNumber(const std::string& file, const std::string& section,
                             const std::string& key, const KeyRule& rule,
                             const std::string& value) {
    const int number = TagFile::AtoI(value);
    if (value.empty()) {
        return;
    }
    if (rule.kind == ValueKind::Seconds && number == 0) {
        CheckZeroSeconds(section, key, value);
        return;
    }
    // A flag that reads as 0 where it was meant on ("0x1"), like a word,
    // turns nothing on.
    const bool flagOff = rule.kind == ValueKind::Flag && number == 0 && !IsWholeNumber(value) &&
                         value.find_first_of("123456789") != std::string::npos;
    if ((!StartsWithNumber(value) || flagOff) &&
        (rule.kind == ValueKind::Flag || rule.kind == ValueKind::Count)) {
        CheckNoDigits(section, key, rule, value);
        return;
    }
    if (!IsWholeNumber(value)) {
        m_findings.Add(kinds::kNotWholeNumber, file, section, key,
                       Quote(value) + " is not a number: setup.exe reads " + std::to_string(number),
                       "write the number alone");
    }
    if (rule.kind == ValueKind::Flag && number != 0 && number != 1) {
        m_findings.Add(
            kinds::kFlagOtherNumber, file, section, key,
            "only 1 turns this on: setup.exe reads " + std::to_string(number) + " as off",
            "write 1 or 0");
    }
    // A splash that ends at once never uses its time, which has a finding
    // of its own.
    if (rule.kind == ValueKind::Seconds && section == "SPLASH" && !SplashShown()) {
        return;
    }
    if (rule.kind == ValueKind::Seconds && number < 0) {
        const bool splash = section == "SPLASH";
        m_findings.Add(kinds::kNegativeTime, file, section, key,
                       splash ? "a negative time: setup.exe shows the splash for 5 seconds"
                              : "a negative time: setup.exe shows the next billboard at once",
                       "write the time in seconds, 1 or more");
    } else if (rule.kind == ValueKind::Seconds && number > kLongestSeconds) {
        m_findings.Add(kinds::kEndlessTime, file, section, key,
                       "more seconds than a timer waits: setup.exe waits " +
                           std::to_string(kLongestSeconds) + " seconds (about 24 days)",
                       "write a time in seconds");
    }
}

// The texts setup.exe shows in its windows: the progress dialog's and the
// background's.
bool SetupCheck::IsShownText(const std::string& section, const std::string& key) {
    return (section == "SETUP" && (key == "0" || key == "1")) ||
           (section == "BACKGROUND" && (key == "1" || key == "2"));
}

void SetupCheck::CheckEscape(const std::string& section, const std::string& key,
                             const std::string& value) {
    const std::string escape = checktext::EscapeIn(value);
    if (!escape.empty()) {
        m_findings.Add(kinds::kEscapeShownAsWritten, TagFile::kFileName, section, key,
                       "setup.exe shows " + Quote(escape) +
                           " as it stands: a tag file has no notation for a line break",
                       "write the text on one line, without " + Quote(escape));
    }
}

// Keywords and the paths of files: a comment after them makes them match
// nothing. Messages and titles may hold " ;" as prose does.
bool SetupCheck::TakesComment(const std::string& section, const std::string& key,
                              const KeyRule& rule) {
    const bool path = rule.kind == ValueKind::Program || rule.kind == ValueKind::Picture ||
                      rule.kind == ValueKind::Folder;
    return rule.kind == ValueKind::Keyword ||
           (path && !(section == "ADVACTIONSKV" && (key[0] & ~0x20) == 'G'));
}

bool SetupCheck::CheckComment(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) {
    const std::string before = checktext::BeforeComment(value);
    if (before.empty()) {
        return false;
    }
    m_findings.Add(kinds::kCommentInValue, file, section, key,
                   "a tag file has no comments after values: setup.exe reads all of " +
                       Quote(value) + ", not " + Quote(before),
                   "write " + Quote(before) +
                       " alone, and the comment on a line of its own, starting with \";\"");
    return true;
}

// A flag or a count written as a word: setup.exe finds no digits and reads
// 0, which turns the flag off and empties the list.
void SetupCheck::CheckNoDigits(const std::string& section, const std::string& key,
                               const KeyRule& rule, const std::string& value) {
    if (rule.kind == ValueKind::Flag) {
        m_findings.Add(kinds::kFlagNotNumber, TagFile::kFileName, section, key,
                       Quote(value) + " is not a number: setup.exe reads it as 0, which is off",
                       FlagFix(value));
        return;
    }
    m_findings.Add(kinds::kCountNotNumber, TagFile::kFileName, section, key,
                   Quote(value) +
                       " is not a number: setup.exe reads TOTAL as 0 and none of the list's "
                       "records",
                   "write the number of records in digits");
}

void SetupCheck::CheckZeroSeconds(const std::string& section, const std::string& key,
                                  const std::string& value) {
    if (section != "SPLASH" || !SplashShown()) {
        return;
    }
    m_findings.Add(kinds::kSplashZeroSeconds, TagFile::kFileName, section, key,
                   "setup.exe reads " + Quote(value) +
                       " as 0 seconds, which gives no time: it shows the splash for 5 seconds",
                   "write the seconds the splash stays, 1 or more (A0=Disabled shows none)");
}

void SetupCheck::CheckKeyword(const std::string& file, const std::string& section,
                              const std::string& key, const KeyRule& rule,
                              const std::string& value) {
    if (value.empty() || std::any_of(rule.keywords.begin(), rule.keywords.end(),
                                     [&](const char* keyword) { return value == keyword; })) {
        return;
    }
    if (rule.otherValuesAllowed && SaysNone(value)) {
        return;
    }
    const std::string other = OtherFieldOf(file, section, key, value);
    const std::string close = NearestKeyword(value, rule.keywords);
    const std::string nearest = close.empty() ? ShortenedKeyword(value, rule.keywords) : close;
    if (rule.otherValuesAllowed && nearest.empty() && other.empty()) {
        return;
    }
    const std::string what = Quote(value) +
                             " matches no keyword (they are compared exactly, letter case and "
                             "blanks included): setup.exe " +
                             ConsequenceOf(section, key);
    if (!other.empty()) {
        m_findings.Add(kinds::kNoKeyword, file, section, key,
                       what + "; " + Quote(value) + " is a keyword of " + other,
                       "write it in " + other);
        return;
    }
    m_findings.Add(
        kinds::kNoKeyword, file, section, key, what,
        nearest.empty() ? "write one of " + JoinQuoted(rule.keywords) : "write " + Quote(nearest));
}

// The key of the same list record whose keywords hold the value: a
// then-action written as a type, a completion choice written as a
// then-action.
std::string SetupCheck::OtherFieldOf(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& value) const {
    for (const KeyRule& rule : TagSchema::Keys()) {
        if (!TagLayout::SameName(rule.file, file) || !TagLayout::SameName(rule.section, section) ||
            !TagSchema::IsListKey(rule) || TagFile::ListIndex(key) < 0 ||
            TagSchema::Find(file, section, key) == &rule) {
            continue;
        }
        if (std::find_if(rule.keywords.begin(), rule.keywords.end(), [&](const char* keyword) {
                return value == keyword;
            }) != rule.keywords.end()) {
            return TagFile::ListKey(rule.key[0], TagFile::ListIndex(key));
        }
    }
    return "";
}

// What a value matching no keyword makes setup.exe do instead.
std::string SetupCheck::ConsequenceOf(const std::string& section, const std::string& key) const {
    const char letter = static_cast<char>(key[0] & ~0x20);
    if (section == "FILESUPPORT") {
        return "never runs this program";
    }
    if (section == "APPINFO") {
        return "does not run the language switcher";
    }
    if (section == "SPLASH") {
        return key == "A2" ? "plays no sound" : "shows an invisible splash for the A4 time";
    }
    switch (letter) {
        case 'B':
            return "does nothing for this record";
        case 'D':
            return "does nothing when the condition holds";
        case 'E':
            return "goes on with the installation";
        default:
            return "runs this record before the package";
    }
}

void SetupCheck::CheckColour(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) {
    if (value.empty()) {
        return;
    }
    const std::string::size_type at = value.find('@');
    std::string rest = at == std::string::npos ? value : value.substr(at + 1);
    std::size_t commas = 0;
    bool exact = true;
    for (std::string::size_type start = 0;; ++commas) {
        const std::string::size_type comma = rest.find(',', start);
        const std::string token = rest.substr(start, comma - start);
        exact = exact && (token == "0x00" || token == "0x80" || token == "0xC0" || token == "0xFF");
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (exact && commas == 2) {
        return;
    }
    const BackgroundColor color = CMainFrame::ParseColor(value);
    m_findings.Add(kinds::kColourPart, file, section, key,
                   "setup.exe reads " + Quote(value) + " as red " + std::to_string(color.red) +
                       ", green " + std::to_string(color.green) + ", blue " +
                       std::to_string(color.blue) +
                       ": each of the three parts must be exactly 0x00, 0x80, 0xC0 or 0xFF, any "
                       "other counting as 0",
                   "write it as x@0x00,0x80,0xFF");
}

bool SetupCheck::SplashShown() const {
    const std::string mode = m_folder.Value("SPLASH", "A0");
    return !m_folder.Silent() && !mode.empty() && mode != keywords::kSplashDisabled;
}

}  // namespace kestavo::vendortools
