#include "vendortools/SetupCheck.h"

#include <algorithm>
#include <climits>

#include "actions/FolderMacros.h"
#include "core/SetupFolder.h"
#include "core/TagKeywords.h"
#include "presentation/BillboardDialog.h"
#include "presentation/CMainFrame.h"
#include "vendortools/KeywordMatch.h"

namespace kestavo::vendortools {

namespace {

// Larger than any value a tag file holds: what the vendor wrote, uncut.
constexpr std::size_t kWhole = 1 << 20;
// The longest time a timer waits, in whole seconds.
constexpr long long kLongestSeconds = 0x7FFFFFFF / 1000;

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

bool IsWholeNumber(const std::string& text) {
    std::size_t at = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (at == text.size()) {
        return false;
    }
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    return true;
}

std::string JoinQuoted(const std::vector<const char*>& words) {
    std::string joined;
    for (const char* word : words) {
        joined += (joined.empty() ? "" : ", ") + Quote(word);
    }
    return joined;
}

}  // namespace

SetupCheck::SetupCheck(const SetupFolderImage& folder)
    : m_folder(folder),
      m_tag(m_machine.system, m_machine.profile),
      m_data(m_machine.system, m_machine.profile, TagFile::kDataFileName),
      m_tagLayout(folder.Bytes(TagFile::kFileName)),
      m_dataLayout(folder.Bytes(TagFile::kDataFileName)) {
    folder.PutInto(m_machine);
}

std::vector<Finding> SetupCheck::Run() {
    m_findings.clear();
    CheckFile(TagFile::kFileName);
    CheckFile(TagFile::kDataFileName);
    CheckHiddenTexts();
    CheckList("FILESUPPORT", "AB", INT_MAX);
    CheckList("BILLBOARDSKV", "BCDE", BillboardDialog::kMaxBillboards);
    CheckList("ADVACTIONSKV", "ABCDEFGH", INT_MAX);
    CheckFiles();
    const auto rank = [](const Finding& finding) {
        return finding.file == TagFile::kFileName       ? 0
               : finding.file == TagFile::kDataFileName ? 1
                                                        : 2;
    };
    std::stable_sort(m_findings.begin(), m_findings.end(), [&](const Finding& a, const Finding& b) {
        return rank(a) != rank(b) ? rank(a) < rank(b) : a.line < b.line;
    });
    return m_findings;
}

std::string SetupCheck::ValueAsRead(const std::string& file, const std::string& section,
                                    const std::string& key) const {
    const KeyRule* rule = TagSchema::Find(file, section, key);
    return rule == nullptr ? std::string() : ValueAsRead(file, section, key, rule->capacity);
}

std::string SetupCheck::ValueAsRead(const std::string& file, const std::string& section,
                                    const std::string& key, std::size_t capacity) const {
    return TagOf(file).Read(section, key, capacity);
}

const TagLayout& SetupCheck::LayoutOf(const std::string& file) const {
    return file == TagFile::kFileName ? m_tagLayout : m_dataLayout;
}

const TagFile& SetupCheck::TagOf(const std::string& file) const {
    return file == TagFile::kFileName ? m_tag : m_data;
}

void SetupCheck::Add(Severity severity, const std::string& file, const std::string& section,
                     const std::string& key, std::string message, std::string fix) {
    const TagLayout& layout = LayoutOf(file);
    const std::size_t line =
        key.empty() ? layout.SectionLine(section) : layout.LineOf(section, key);
    AddAtLine(severity, file, line, section, key, std::move(message), std::move(fix));
}

void SetupCheck::AddAtLine(Severity severity, const std::string& file, std::size_t line,
                           const std::string& section, const std::string& key, std::string message,
                           std::string fix) {
    m_findings.push_back(
        Finding{severity, file, line, section, key, std::move(message), std::move(fix)});
}

void SetupCheck::CheckFile(const std::string& file) {
    if (!LayoutOf(file).Exists()) {
        if (file == TagFile::kFileName) {
            AddAtLine(Severity::Note, file, 0, "", "",
                      "there is no kestavo.tag: setup.exe installs the package at once, with "
                      "no dialog, splash, background or actions");
        }
        return;
    }
    CheckEncoding(file);
    CheckNames(file);
    CheckValues(file);
}

void SetupCheck::CheckEncoding(const std::string& file) {
    const TagLayout& layout = LayoutOf(file);
    if (!layout.ByteOrderMark().empty()) {
        AddAtLine(Severity::Warning, file, 1, "", "",
                  "the file starts with a " + layout.ByteOrderMark() +
                      " byte-order mark: setup.exe reads its text converted to the ANSI code "
                      "page, where characters the code page lacks become \"?\"",
                  "save the file as ANSI text");
    }
    for (const std::size_t line : layout.Utf8Lines()) {
        for (const TagLayout::Line& entry : layout.Lines()) {
            if (entry.number == line && entry.hasValue) {
                AddAtLine(Severity::Warning, file, line, entry.section, entry.key,
                          "UTF-8 text without a byte-order mark: setup.exe reads every byte as a "
                          "character of the ANSI code page and shows " +
                              Quote(entry.value),
                          "save the file as ANSI text (Windows-1252 on Western systems)");
            }
        }
    }
}

// Names setup.exe never asks for are typing mistakes, or leftovers; a name
// written twice is read once, the first time. A line starting with ";" is
// read as a key no one asks for, which is what its writer meant.
void SetupCheck::CheckNames(const std::string& file) {
    for (const TagLayout::Line& line : LayoutOf(file).Lines()) {
        if (!line.header && !line.key.empty() && line.key[0] == ';') {
            continue;
        }
        if (line.header && line.hidden) {
            AddAtLine(Severity::Warning, file, line.number, line.section, "",
                      "section [" + line.section +
                          "] again: setup.exe reads only the first, on "
                          "line " +
                          std::to_string(LayoutOf(file).SectionLine(line.section)),
                      "merge the two sections");
        } else if (line.header && !TagSchema::KnowsSection(file, line.section)) {
            AddAtLine(Severity::Warning, file, line.number, line.section, "",
                      "setup.exe never reads section [" + line.section + "]",
                      "check the section's name");
        } else if (!line.header && line.hidden && !line.inHiddenSection && !line.key.empty()) {
            AddAtLine(Severity::Warning, file, line.number, line.section, line.key,
                      "key " + line.key + " again in [" + line.section + "]: setup.exe reads " +
                          "line " + std::to_string(LayoutOf(file).LineOf(line.section, line.key)),
                      "remove one of them");
        } else if (!line.header && TagSchema::KnowsSection(file, line.section) &&
                   TagSchema::Find(file, line.section, line.key) == nullptr) {
            AddAtLine(Severity::Warning, file, line.number, line.section, line.key,
                      "setup.exe never reads key " + Quote(line.key) + " of [" + line.section + "]",
                      "check the key's name");
        } else if (!line.header && line.section.empty()) {
            AddAtLine(Severity::Warning, file, line.number, "", line.key,
                      "a key before the first section header: setup.exe never reads it",
                      "move it into its section");
        }
    }
}

void SetupCheck::CheckValues(const std::string& file) {
    for (const TagLayout::Line& line : LayoutOf(file).Lines()) {
        if (line.header || line.hidden) {
            continue;
        }
        const KeyRule* rule = TagSchema::Find(file, line.section, line.key);
        if (rule != nullptr && (file != TagFile::kFileName || IsRead(line.section, line.key))) {
            CheckValue(file, line.section, line.key, *rule);
        }
    }
}

void SetupCheck::CheckValue(const std::string& file, const std::string& section,
                            const std::string& key, const KeyRule& rule) {
    CheckCut(file, section, key, rule);
    const std::string value = ValueAsRead(file, section, key, rule.capacity);
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
        case ValueKind::Folder:
            CheckFolderMacros(file, section, key, value);
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
        Add(Severity::Warning, file, section, key,
            "the value's " + std::to_string(whole.size()) + " characters are cut to " +
                std::to_string(kept.size()) + ": setup.exe reads " + Quote(kept),
            "shorten it to " + std::to_string(rule.capacity - 1) + " characters or fewer");
    }
}

void SetupCheck::CheckNumber(const std::string& file, const std::string& section,
                             const std::string& key, const KeyRule& rule,
                             const std::string& value) {
    const int number = TagFile::AtoI(value);
    if (!value.empty() && !IsWholeNumber(value)) {
        Add(Severity::Warning, file, section, key,
            Quote(value) + " is not a number: setup.exe reads " + std::to_string(number),
            "write the number alone");
    }
    if (rule.kind == ValueKind::Flag && !value.empty() && number != 0 && number != 1) {
        Add(Severity::Warning, file, section, key,
            "only 1 turns this on: setup.exe reads " + std::to_string(number) + " as off",
            "write 1 or 0");
    }
    if (rule.kind == ValueKind::Seconds && number < 0) {
        const bool splash = section == "SPLASH";
        Add(Severity::Warning, file, section, key,
            splash ? "a negative time: setup.exe shows the splash for 5 seconds"
                   : "a negative time: setup.exe shows the next billboard at once",
            "write the time in seconds, 1 or more");
    } else if (rule.kind == ValueKind::Seconds && number > kLongestSeconds) {
        Add(Severity::Warning, file, section, key,
            "more seconds than a timer waits: setup.exe waits " + std::to_string(kLongestSeconds) +
                " seconds (about 24 days)",
            "write a time in seconds");
    }
}

void SetupCheck::CheckKeyword(const std::string& file, const std::string& section,
                              const std::string& key, const KeyRule& rule,
                              const std::string& value) {
    if (value.empty() || std::any_of(rule.keywords.begin(), rule.keywords.end(),
                                     [&](const char* keyword) { return value == keyword; })) {
        return;
    }
    const std::string nearest = NearestKeyword(value, rule.keywords);
    if (rule.otherValuesAllowed && nearest.empty()) {
        return;
    }
    Add(Severity::Error, file, section, key,
        Quote(value) +
            " matches no keyword (they are compared exactly, letter case and blanks "
            "included): setup.exe " +
            ConsequenceOf(section, key),
        nearest.empty() ? "write one of " + JoinQuoted(rule.keywords) : "write " + Quote(nearest));
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
    Add(Severity::Warning, file, section, key,
        "setup.exe reads " + Quote(value) + " as red " + std::to_string(color.red) + ", green " +
            std::to_string(color.green) + ", blue " + std::to_string(color.blue) +
            ": each of the three parts must be exactly 0x00, 0x80, 0xC0 or 0xFF, any other "
            "counting as 0",
        "write it as x@0x00,0x80,0xFF");
}

void SetupCheck::CheckFolderMacros(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) {
    const std::vector<std::string> names = FolderMacroNames();
    for (std::string::size_type open = value.find('<'); open != std::string::npos;
         open = value.find('<', open + 1)) {
        const std::string::size_type close = value.find('>', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string name = value.substr(open + 1, close - open - 1);
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            Add(Severity::Warning, file, section, key,
                "<" + name +
                    "> is no folder macro (they are compared exactly): setup.exe leaves "
                    "it as it is",
                "use one of the folder macros listed in docs/tag-file.md");
        }
    }
}

// A non-zero code page keeps the program's own texts.
void SetupCheck::CheckHiddenTexts() {
    if (m_tag.ReadInt("SETUP", "CODEPAGE", TagFile::kValueCapacity) == 0) {
        return;
    }
    for (const char* key : {"0", "1"}) {
        if (m_tagLayout.LineOf("SETUP", key) != 0) {
            Add(Severity::Warning, TagFile::kFileName, "SETUP", key,
                "CODEPAGE is not 0: setup.exe hides its dialog and never shows this text",
                "remove CODEPAGE, or this text");
        }
    }
}

int SetupCheck::EffectiveCount(const std::string& section) const {
    const int total = m_tag.ReadCount(section);
    return section == "BILLBOARDSKV" ? std::min(total, BillboardDialog::kMaxBillboards) : total;
}

// The records setup.exe reads that have a B key, which both lists need to
// do anything: by the keys present, whatever number TOTAL names.
std::vector<int> SetupCheck::ReadRecords(const std::string& section) const {
    std::vector<int> records = m_tag.RecordNumbers(section, 'B', 'B');
    const int count = EffectiveCount(section);
    records.erase(std::lower_bound(records.begin(), records.end(), count), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    return records;
}

bool SetupCheck::IsRead(const std::string& section, const std::string& key) const {
    const KeyRule* rule = TagSchema::Find(TagFile::kFileName, section, key);
    return rule == nullptr || !TagSchema::IsListKey(*rule) ||
           TagFile::ListIndex(key) < EffectiveCount(section);
}

// Records are the numbers that have any of the list's keys; those past
// TOTAL (or past the limit) are never read, and numbers TOTAL counts that
// have no record read as empty.
void SetupCheck::CheckList(const std::string& section, const std::string& letters, int limit) {
    std::set<int> records;
    for (const std::string& key : m_tagLayout.KeysOf(section)) {
        const int index = TagFile::ListIndex(key);
        if (index >= 0 && letters.find(static_cast<char>(key[0] & ~0x20)) != std::string::npos) {
            records.insert(index);
        }
    }
    const int total = m_tag.ReadCount(section);
    if (total < 0) {
        Add(Severity::Warning, TagFile::kFileName, section, "TOTAL",
            "a negative TOTAL: setup.exe reads the list as empty", "write the number of records");
    }
    // No TOTAL reaches a record numbered at the end of int: the list must
    // be numbered anew.
    const int last = records.empty() ? 0 : *records.rbegin();
    const std::string totalFix =
        last < INT_MAX ? "set TOTAL to " + std::to_string(last + 1) : "number the records from 0";
    for (const int record : records) {
        if (record >= total) {
            Add(Severity::Warning, TagFile::kFileName, section,
                std::string(1, letters[0]) + std::to_string(record),
                "record " + std::to_string(record) + " comes after TOTAL=" + std::to_string(total) +
                    ": setup.exe never reads it",
                totalFix);
        } else if (record >= limit) {
            Add(Severity::Warning, TagFile::kFileName, section,
                std::string(1, letters[0]) + std::to_string(record),
                "setup.exe shows the first " + std::to_string(limit) + " billboards only: record " +
                    std::to_string(record) + " is never shown",
                "keep " + std::to_string(limit) + " billboards or fewer");
        }
    }
    const int counted = std::min(total, limit);
    const auto written = std::count_if(records.begin(), records.end(),
                                       [counted](int record) { return record < counted; });
    if (counted > 0 && written < counted) {
        Add(Severity::Warning, TagFile::kFileName, section, "TOTAL",
            "TOTAL=" + std::to_string(total) + " counts " + std::to_string(counted) +
                " records but " + std::to_string(written) +
                " of them are written: setup.exe reads the others as empty",
            "set TOTAL to the number of records, numbered from 0");
    }
}

std::string SetupCheck::SetupFile(const std::string& name) const {
    return std::string(SetupFolderImage::kSimulatedFolder) + "\\" + name;
}

void SetupCheck::RequireFile(const std::string& relativePath, Severity severity,
                             const std::string& section, const std::string& key,
                             const std::string& message, const std::string& fix) {
    if (!m_machine.system.FileExists(SetupFile(relativePath))) {
        Add(severity, TagFile::kFileName, section, key,
            relativePath +
                " is not in the setup "
                "folder: " +
                message,
            fix);
    }
}

void SetupCheck::CheckFiles() {
    if (!m_folder.Has("_data.msi")) {
        AddAtLine(Severity::Error, "_data.msi", 0, "", "",
                  "the package is missing: msiexec.exe is handed a file that is not there and "
                  "nothing is installed",
                  "put the Windows Installer package in the setup folder as _data.msi");
    }
    for (const char* redistributable : {"InstMsiA.exe", "InstMsiW.exe"}) {
        if (!m_folder.Has(redistributable)) {
            AddAtLine(Severity::Note, redistributable, 0, "", "",
                      std::string(redistributable) +
                          " is not in the setup folder: needed only on machines whose Windows "
                          "Installer is older than version 2, where the package then fails",
                      "ship the Windows Installer redistributable to reach such machines");
        }
    }
    if (!m_tagLayout.Exists()) {
        return;
    }
    CheckSplashFiles();
    CheckBackgroundPicture();
    CheckBillboardPictures();
    CheckPrograms();
    CheckActionPrograms();
}

void SetupCheck::CheckSplashFiles() {
    const std::string mode = m_tag.Read("SPLASH", "A0", TagFile::kListCapacity);
    if (mode == keywords::kSplashPicture) {
        RequireFile("setup.bmp", Severity::Error, "SPLASH", "A0", "setup.exe shows an empty splash",
                    "add the splash picture as setup.bmp");
    } else if (mode == keywords::kSplashAnimation) {
        RequireFile("kvavi.avi", Severity::Error, "SPLASH", "A0", "setup.exe shows an empty splash",
                    "add the animation as kvavi.avi");
    }
    const std::string sound = m_tag.Read("SPLASH", "A2", TagFile::kListCapacity);
    if (sound == keywords::kSoundOn || sound == keywords::kSoundOnLoop) {
        RequireFile("kvsound.wav", Severity::Error, "SPLASH", "A2", "setup.exe plays no sound",
                    "add the sound as kvsound.wav");
    }
    const std::string language = m_tag.Read("APPINFO", "LanguageM", TagFile::kValueCapacity);
    if ((language == keywords::kAutoDetectLanguage || language == keywords::kAskUserForLanguage) &&
        !m_folder.Has("Languages\\switch.exe")) {
        RequireFile("switch.exe", Severity::Error, "APPINFO", "LanguageM",
                    "setup.exe runs no language switcher",
                    "add switch.exe, or Languages\\switch.exe");
    }
}

void SetupCheck::CheckBackgroundPicture() {
    const std::string picture = m_tag.Read("BACKGROUND", "5", TagFile::kValueCapacity);
    if (m_tag.ReadInt("BACKGROUND", "0", TagFile::kValueCapacity) != 1 || picture.empty()) {
        return;
    }
    RequireFile(FileNamePart(m_machine.system, picture), Severity::Error, "BACKGROUND", "5",
                "the background shows no picture (it is taken from the setup folder by its name "
                "alone)",
                "put the picture in the setup folder");
}

void SetupCheck::CheckBillboardPictures() {
    for (int i = 0; i < EffectiveCount("BILLBOARDSKV"); ++i) {
        const std::string key = TagFile::ListKey('B', i);
        const std::string picture = m_tag.Read("BILLBOARDSKV", key, TagFile::kValueCapacity);
        RequireFile("images\\" + FileNamePart(m_machine.system, picture), Severity::Error,
                    "BILLBOARDSKV", key,
                    "billboard " + std::to_string(i) +
                        " keeps the picture before it (pictures are taken from the images "
                        "folder by their names alone)",
                    "put the picture in the images folder");
    }
}

// A relative program path is taken from the setup folder; a full one names
// the target machine's files, which no check here can see. A path that
// fills its buffer may have been cut, and is never started.
void SetupCheck::CheckPrograms() {
    for (const int i : ReadRecords("FILESUPPORT")) {
        const std::string key = TagFile::ListKey('A', i);
        const std::string program = m_tag.Read("FILESUPPORT", key, TagFile::kListCapacity);
        const std::string point =
            m_tag.Read("FILESUPPORT", TagFile::ListKey('B', i), TagFile::kListCapacity);
        const bool runs =
            point == keywords::kBeforeInstallation || point == keywords::kAfterInstallation;
        if (runs && TagFile::FillsBuffer(program, TagFile::kListCapacity)) {
            Add(Severity::Error, TagFile::kFileName, "FILESUPPORT", key,
                "the path fills its buffer, as a cut one does: setup.exe never starts this "
                "program",
                "shorten it to " + std::to_string(TagFile::kListCapacity - 2) +
                    " characters or fewer");
            continue;
        }
        const bool full = program.size() >= 2 && (program[1] == ':' || program[0] == '\\');
        if (runs && !program.empty() && !full) {
            RequireFile(program, Severity::Error, "FILESUPPORT", key,
                        "setup.exe passes over this program", "add the program");
        }
    }
}

void SetupCheck::CheckActionPrograms() {
    for (const int i : ReadRecords("ADVACTIONSKV")) {
        const std::string type =
            m_tag.Read("ADVACTIONSKV", TagFile::ListKey('B', i), TagFile::kListCapacity);
        if (type != keywords::kRunThirdParty && type != keywords::kRunThirdPartyAndWait) {
            continue;
        }
        const std::string key = TagFile::ListKey('G', i);
        const std::string program = m_tag.Read("ADVACTIONSKV", key, TagFile::kListCapacity);
        RequireFile(FileNamePart(m_machine.system, program), Severity::Error, "ADVACTIONSKV", key,
                    "the record starts nothing (the program is always taken from the setup "
                    "folder, by its name alone)",
                    "add the program to the setup folder");
    }
}

}  // namespace kestavo::vendortools
