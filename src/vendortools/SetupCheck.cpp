#include "vendortools/SetupCheck.h"

#include <algorithm>
#include <climits>

#include "core/TagKeywords.h"
#include "presentation/BillboardDialog.h"
#include "presentation/CMainFrame.h"
#include "vendortools/ActionListCheck.h"
#include "vendortools/CheckText.h"
#include "vendortools/FilesCheck.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/FolderMacroCheck.h"
#include "vendortools/KeywordMatch.h"
#include "vendortools/ModeCheck.h"

namespace kestavo::vendortools {

namespace {

using checktext::AsShown;
using checktext::IsWholeNumber;
using checktext::Join;
using checktext::JoinQuoted;
using checktext::Lower;
using checktext::Quote;
using checktext::StartsWithNumber;

// Larger than any value a tag file holds: what the vendor wrote, uncut.
constexpr std::size_t kWhole = 1 << 20;
// The longest time a timer waits, in whole seconds.
constexpr long long kLongestSeconds = 0x7FFFFFFF / 1000;

std::string OtherFile(const std::string& file) {
    return file == TagFile::kFileName ? TagFile::kDataFileName : TagFile::kFileName;
}

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

// A list key written with leading zeros ("B01"), which setup.exe never
// forms; the key it forms for that record, or empty.
std::string WithoutLeadingZeros(const std::string& key) {
    if (key.size() < 3 || key[1] != '0' ||
        !std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return "";
    }
    const std::string::size_type digit = key.find_first_not_of('0', 1);
    return key.substr(0, 1) + (digit == std::string::npos ? "0" : key.substr(digit));
}

std::vector<std::string> Numbers(const std::vector<int>& records) {
    std::vector<std::string> numbers;
    for (const int record : records) {
        numbers.push_back(std::to_string(record));
    }
    return numbers;
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
        CheckList("FILESUPPORT", "AB", INT_MAX);
        CheckList("BILLBOARDSKV", "BCDE", BillboardDialog::kMaxBillboards);
        CheckList("ADVACTIONSKV", "ABCDEFGH", INT_MAX);
        CheckKeyFields();
        CheckBillboardTimes();
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
    CheckEncoding(file);
    CheckNames(file);
    CheckValues(file);
}

void SetupCheck::CheckEncoding(const std::string& file) {
    const TagLayout& layout = m_folder.TagLayoutOf(file);
    if (!layout.ByteOrderMark().empty()) {
        m_findings.AddAtLine(kinds::kByteOrderMark, file, 1, "", "",
                             "the file starts with a " + layout.ByteOrderMark() +
                                 " byte-order mark: setup.exe reads its text converted to the "
                                 "ANSI code page, where characters the code page lacks become "
                                 "\"?\"",
                             "save the file as ANSI text");
    }
    for (const std::size_t line : layout.Utf8Lines()) {
        for (const TagLayout::Line& entry : layout.Lines()) {
            if (entry.number == line && entry.hasValue) {
                m_findings.AddAtLine(
                    kinds::kUtf8Text, file, line, entry.section, entry.key,
                    "UTF-8 text without a byte-order mark: setup.exe reads every byte as a "
                    "character of the ANSI code page and shows " +
                        Quote(AsShown(entry.value)),
                    "save the file as ANSI text (Windows-1252 on Western systems)");
            }
        }
    }
}

// Names setup.exe never asks for are typing mistakes, or leftovers; a name
// written twice is read once, the first time. A line starting with ";" is
// read as a key no one asks for, which is what its writer meant.
void SetupCheck::CheckNames(const std::string& file) {
    for (const TagLayout::Line& line : m_folder.TagLayoutOf(file).Lines()) {
        if (line.header) {
            CheckSectionName(file, line);
        } else if (line.key.empty() || line.key[0] != ';') {
            CheckKeyName(file, line);
        }
    }
}

void SetupCheck::CheckSectionName(const std::string& file, const TagLayout::Line& line) {
    const std::string& section = line.section;
    if (line.hidden) {
        m_findings.AddAtLine(kinds::kSectionAgain, file, line.number, section, "",
                             "section [" + section +
                                 "] again: setup.exe reads only the first, on line " +
                                 std::to_string(m_folder.TagLayoutOf(file).SectionLine(section)),
                             "merge the two sections");
        return;
    }
    if (TagSchema::KnowsSection(file, section)) {
        return;
    }
    if (TagSchema::KnowsSection(OtherFile(file), section)) {
        m_findings.AddAtLine(
            kinds::kKeyOfOtherFile, file, line.number, section, "",
            "setup.exe reads [" + section + "] from " + OtherFile(file) + ", never from " + file,
            "move the section to " + OtherFile(file));
        return;
    }
    const std::string nearest = NearestKeyword(section, TagSchema::SectionNames(file));
    if (!nearest.empty()) {
        m_findings.AddAtLine(
            kinds::kMisspelledSection, file, line.number, section, "",
            "setup.exe never reads section [" + section + "]: every setting in it is ignored",
            "write [" + nearest + "]");
        return;
    }
    m_findings.AddAtLine(kinds::kUnknownSection, file, line.number, section, "",
                         "setup.exe never reads section [" + section + "]",
                         "check the section's name");
}

void SetupCheck::CheckKeyName(const std::string& file, const TagLayout::Line& line) {
    const std::string& section = line.section;
    const std::string& key = line.key;
    if (line.hidden && !line.inHiddenSection && !key.empty()) {
        m_findings.AddAtLine(kinds::kKeyAgain, file, line.number, section, key,
                             "key " + key + " again in [" + section + "]: setup.exe reads line " +
                                 std::to_string(m_folder.TagLayoutOf(file).LineOf(section, key)),
                             "remove one of them");
    } else if (section.empty()) {
        m_findings.AddAtLine(kinds::kKeyOutsideSection, file, line.number, "", key,
                             "a key before the first section header: setup.exe never reads it",
                             "move it into its section");
    } else if (TagSchema::KnowsSection(file, section) &&
               TagSchema::Find(file, section, key) == nullptr) {
        const std::string canonical = WithoutLeadingZeros(key);
        const std::string nearest = NearestKeyword(key, TagSchema::KeyNames(file, section));
        const std::string never =
            "setup.exe never reads key " + Quote(key) + " of [" + section + "]";
        if (TagSchema::Find(OtherFile(file), section, key) != nullptr) {
            m_findings.AddAtLine(kinds::kKeyOfOtherFile, file, line.number, section, key,
                                 "setup.exe reads [" + section + "] " + key + " from " +
                                     OtherFile(file) + ", never from " + file,
                                 "move it to " + OtherFile(file));
        } else if (!canonical.empty() && TagSchema::Find(file, section, canonical) != nullptr) {
            m_findings.AddAtLine(kinds::kMisspelledKey, file, line.number, section, key,
                                 never + ": record numbers are written without leading zeros",
                                 "write " + canonical);
        } else if (!nearest.empty()) {
            m_findings.AddAtLine(kinds::kMisspelledKey, file, line.number, section, key,
                                 never + ": its value is ignored", "write " + nearest);
        } else {
            m_findings.AddAtLine(kinds::kUnknownKey, file, line.number, section, key, never,
                                 "check the key's name");
        }
    }
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
    if (whole.size() > kept.size()) {
        m_findings.Add(
            kinds::kValueCut, file, section, key,
            "the value's " + std::to_string(whole.size()) + " characters are cut to " +
                std::to_string(kept.size()) + ": setup.exe reads " + Quote(AsShown(kept)),
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
    if (!StartsWithNumber(value) &&
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
    const std::string other = OtherFieldOf(file, section, key, value);
    const std::string nearest = NearestKeyword(value, rule.keywords);
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

// Records are the numbers that have any of the list's keys; those past
// TOTAL (or past the limit) are never read, and numbers TOTAL counts that
// have no record read as empty.
void SetupCheck::CheckList(const std::string& section, const std::string& letters, int limit) {
    std::set<int> records;
    for (const std::string& key : m_folder.Layout().KeysOf(section)) {
        const int index = TagFile::ListIndex(key);
        if (index >= 0 && letters.find(static_cast<char>(key[0] & ~0x20)) != std::string::npos) {
            records.insert(index);
        }
    }
    const int total = m_folder.Tag().ReadCount(section);
    if (total < 0) {
        m_findings.Add(kinds::kNegativeTotal, TagFile::kFileName, section, "TOTAL",
                       "a negative TOTAL: setup.exe reads the list as empty",
                       "write the number of records");
    }
    const std::string totalValue = m_folder.Value(section, "TOTAL");
    const std::vector<int> numbers(records.begin(), records.end());
    if (!numbers.empty() && CheckNumbering(section, numbers, totalValue)) {
        return;
    }
    // A TOTAL written as a word has its own finding.
    if (StartsWithNumber(totalValue)) {
        CheckRecordsAfter(section, letters, numbers, total, INT_MAX + 1LL, false);
    }
    CheckRecordsAfter(section, letters, numbers, limit, total, true);
    const int counted = std::min(total, limit);
    const auto written = std::count_if(records.begin(), records.end(),
                                       [counted](int record) { return record < counted; });
    if (counted > 0 && written < counted) {
        m_findings.Add(kinds::kTotalCountsMissingRecords, TagFile::kFileName, section, "TOTAL",
                       "TOTAL=" + std::to_string(total) + " counts " + std::to_string(counted) +
                           " records but " + std::to_string(written) +
                           " of them are written: setup.exe reads the others as empty",
                       "set TOTAL to the number of records, numbered from 0");
    }
}

// A list without TOTAL, and one numbered from 1 up to TOTAL, each in one
// finding: true when the list has one.
bool SetupCheck::CheckNumbering(const std::string& section, const std::vector<int>& records,
                                const std::string& totalValue) {
    const std::string count = std::to_string(records.size());
    if (totalValue.empty()) {
        m_findings.Add(kinds::kNoTotal, TagFile::kFileName, section, "TOTAL",
                       "[" + section +
                           "] has no TOTAL, which reads as 0: setup.exe reads none of "
                           "its " +
                           count + (records.size() == 1 ? " record" : " records"),
                       "add TOTAL=" + std::to_string(records.back() + 1));
        return true;
    }
    if (records.front() != 1 || TagFile::AtoI(totalValue) != records.back()) {
        return false;
    }
    m_findings.Add(kinds::kRecordAfterTotal, TagFile::kFileName, section, "TOTAL",
                   "the records are numbered from 1, but setup.exe counts them from 0: it reads "
                   "record 0 as empty and never reads record " +
                       std::to_string(records.back()),
                   "number the records from 0");
    return true;
}

// The records numbered from `from` up to `until` (not included), in one
// finding on the first one's line: those after TOTAL, or the billboards
// past the 20th.
void SetupCheck::CheckRecordsAfter(const std::string& section, const std::string& letters,
                                   const std::vector<int>& records, int from, long long until,
                                   bool limit) {
    std::vector<int> past;
    std::copy_if(records.begin(), records.end(), std::back_inserter(past),
                 [&](int record) { return record >= from && record < until; });
    if (past.empty()) {
        return;
    }
    const bool one = past.size() == 1;
    const std::string which = (one ? "record " : "records ") + Join(Numbers(past));
    const std::string key = std::string(1, letters[0]) + std::to_string(past.front());
    const std::size_t line = FirstLineOf(section, letters, past.front());
    if (limit) {
        m_findings.AddAtLine(kinds::kBillboardPastLimit, TagFile::kFileName, line, section, key,
                             "setup.exe shows the first " + std::to_string(from) +
                                 " billboards only: " + which + (one ? " is" : " are") +
                                 " never shown",
                             "keep " + std::to_string(from) + " billboards or fewer");
        return;
    }
    // No TOTAL reaches a record numbered at the end of int: the list must
    // be numbered anew.
    const std::string fix = records.back() < INT_MAX
                                ? "set TOTAL to " + std::to_string(records.back() + 1)
                                : "number the records from 0";
    m_findings.AddAtLine(kinds::kRecordAfterTotal, TagFile::kFileName, line, section, key,
                         which + (one ? " comes" : " come") +
                             " after TOTAL=" + std::to_string(from) + ": setup.exe never reads " +
                             (one ? "it" : "them"),
                         fix);
}

std::size_t SetupCheck::FirstLineOf(const std::string& section, const std::string& letters,
                                    int record) const {
    std::size_t first = 0;
    for (const char letter : letters) {
        const std::size_t line =
            m_folder.Layout().LineOf(section, TagFile::ListKey(letter, record));
        first = line != 0 && (first == 0 || line < first) ? line : first;
    }
    return first != 0 ? first : m_folder.Layout().SectionLine(section);
}

// A record needs the field that makes it do anything: a point for a
// program, a picture for a billboard, a type for an action.
void SetupCheck::CheckKeyFields() {
    CheckKeyField("FILESUPPORT", 'B', "AB", "has no point: setup.exe never runs its program",
                  "Before installation or After installation");
    CheckKeyField("BILLBOARDSKV", 'B', "BCDE",
                  "has no picture: the billboard keeps the picture before it",
                  "the picture's file name");
    CheckKeyField("ADVACTIONSKV", 'B', "ABCDEFGH", "has no type: setup.exe does nothing for it",
                  "one of the types listed in docs/tag-file.md");
}

void SetupCheck::CheckKeyField(const std::string& section, char keyLetter,
                               const std::string& letters, const std::string& message,
                               const std::string& fix) {
    for (const int record : m_folder.Records(section, letters.front(), letters.back())) {
        if (!m_folder.Field(section, keyLetter, record).empty()) {
            continue;
        }
        const bool anyOther = std::any_of(letters.begin(), letters.end(), [&](char letter) {
            return letter != keyLetter && !m_folder.Field(section, letter, record).empty();
        });
        if (anyOther) {
            const std::string key = TagFile::ListKey(keyLetter, record);
            m_findings.AddAtLine(kinds::kRecordWithoutKeyField, TagFile::kFileName,
                                 FirstLineOf(section, letters, record), section, key,
                                 "record " + std::to_string(record) + " " + message,
                                 "write " + key + "=" + fix);
        }
    }
}

// A billboard without a time asks for a timer of 0 ms, which the system
// raises to its shortest: it is replaced before anyone sees it.
void SetupCheck::CheckBillboardTimes() {
    const char* section = "BILLBOARDSKV";
    for (const int record : m_folder.Records(section, 'B', 'E')) {
        const std::string picture = m_folder.Field(section, 'B', record);
        const std::string time = m_folder.Field(section, 'C', record);
        if (picture.empty() || TagFile::AtoI(time) != 0) {
            continue;
        }
        const std::string timeKey = TagFile::ListKey('C', record);
        const bool last = record + 1 >= m_folder.EffectiveCount(section);
        m_findings.Add(
            kinds::kBillboardNoTime, TagFile::kFileName, section,
            time.empty() ? TagFile::ListKey('B', record) : timeKey,
            "billboard " + std::to_string(record) + " (" + picture + ") has " +
                (time.empty() ? "no time" : "a time of " + Quote(time) + ", read as 0") +
                ": setup.exe " +
                (last ? "closes the slideshow at once" : "replaces it by the next at once") +
                ", so it is never seen",
            "write " + timeKey + "=the seconds it stays, 1 or more");
    }
}

bool SetupCheck::SplashShown() const {
    const std::string mode = m_folder.Value("SPLASH", "A0");
    return !m_folder.Silent() && !mode.empty() && mode != keywords::kSplashDisabled;
}

}  // namespace kestavo::vendortools
