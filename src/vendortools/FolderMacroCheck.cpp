#include "vendortools/FolderMacroCheck.h"

#include <algorithm>

#include "actions/FolderMacros.h"
#include "core/TagKeywords.h"
#include "vendortools/CheckText.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/KeywordMatch.h"

namespace kestavo::vendortools {

namespace {

using checktext::EnvironmentVariableIn;
using checktext::Join;
using checktext::Quote;

const char kActions[] = "ADVACTIONSKV";

std::vector<const char*> Pointers(const std::vector<std::string>& names) {
    std::vector<const char*> pointers;
    for (const std::string& name : names) {
        pointers.push_back(name.c_str());
    }
    return pointers;
}

std::vector<std::string> Bracketed(const std::vector<std::string>& names) {
    std::vector<std::string> bracketed;
    for (const std::string& name : names) {
        bracketed.push_back("<" + name + ">");
    }
    return bracketed;
}

}  // namespace

FolderMacroCheck::FolderMacroCheck(const CheckedFolder& folder, FindingList& findings)
    : m_folder(folder), m_findings(findings), m_table(folder.Image()) {}

void FolderMacroCheck::Run() {
    CheckInstallFolder();
    CheckFileConditions();
    CheckLiteralPaths();
}

void FolderMacroCheck::CheckInstallFolder() {
    if (!m_folder.DataLayout().Exists()) {
        return;
    }
    const std::string value = m_folder.Data().Read("APPINFO", "5", TagFile::kListCapacity);
    CheckExpanded(TagFile::kDataFileName, "APPINFO", "5", value, true);
}

void FolderMacroCheck::CheckFileConditions() {
    for (const int record : m_folder.Records(kActions, 'A', 'H')) {
        if (m_folder.Field(kActions, 'B', record) == keywords::kIfFileExists) {
            const std::string key = TagFile::ListKey('C', record);
            CheckExpanded(TagFile::kFileName, kActions, key, m_folder.Value(kActions, key), false);
            CheckRelative(key, m_folder.Value(kActions, key));
        }
    }
}

// The probe qualifies a path that names no drive against the current
// folder, which is the setup folder: the file is looked for on the setup's
// own medium, not on the machine.
void FolderMacroCheck::CheckRelative(const std::string& key, const std::string& value) {
    const std::string path = m_table.Expand(value);
    const bool located = path.size() >= 2 && (path[1] == ':' || path[0] == '\\');
    if (path.empty() || located || path.find_first_of("<%") != std::string::npos) {
        return;
    }
    const bool there = m_folder.FileConditionHolds(path);
    m_findings.Add(kinds::kRelativeFileCondition, TagFile::kFileName, kActions, key,
                   Quote(path) +
                       " names no drive: setup.exe looks for it in the setup folder, "
                       "so the condition " +
                       (there ? "holds on every machine" : "holds on none") +
                       " (the setup folder " + (there ? "has" : "has no") + " such file or folder)",
                   "write the file's full path, or start it with a folder macro such as "
                   "<Program Files>");
}

void FolderMacroCheck::CheckExpanded(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& value,
                                     bool installFolder) {
    if (value.empty()) {
        return;
    }
    CheckEnvironment(file, section, key, value);
    const std::vector<std::string> macros = FolderMacroNames();
    for (const std::string& name : m_table.NamesLeftIn(value)) {
        const std::string nearest = NearestKeyword(name, Pointers(macros));
        m_findings.Add(kinds::kUnknownFolderMacro, file, section, key,
                       "<" + name +
                           "> is no folder macro (they are compared exactly, letter case and "
                           "blanks included): setup.exe leaves it as written, and " +
                           Quote(m_table.Expand(value)) + " names no folder",
                       nearest.empty() ? "use one of the folder macros listed in docs/tag-file.md"
                                       : "write <" + nearest + ">");
    }
    if (value.find('<') == std::string::npos) {
        CheckBareWords(file, section, key, value, installFolder);
    } else {
        CheckBareBesideBracketed(file, section, key, value);
    }
    CheckEmptyMacros(file, section, key, value, installFolder);
}

// A text with a "<" has only its bracketed macros replaced: a bare name
// beside them stays as it is written. "Program Files" is also a folder's
// own name (<Windows Disk>\Program Files), and is meant as written.
void FolderMacroCheck::CheckBareBesideBracketed(const std::string& file, const std::string& section,
                                                const std::string& key, const std::string& value) {
    const auto count = [&value](const std::string& text) {
        std::size_t n = 0;
        for (std::string::size_type at = value.find(text); at != std::string::npos;
             at = value.find(text, at + text.size())) {
            ++n;
        }
        return n;
    };
    for (const std::string& macro : FolderMacroNames()) {
        if (macro != "Program Files" && count(macro) > count("<" + macro + ">")) {
            m_findings.Add(kinds::kBareNameBesideBracketed, file, section, key,
                           "a text with \"<\" has its bracketed macros replaced alone: setup.exe "
                           "leaves " +
                               Quote(macro) + " as written, and " + Quote(value) + " becomes " +
                               Quote(m_table.Expand(value)),
                           "write <" + macro + ">");
            return;
        }
    }
}

// Without a "<" setup.exe replaces the macros' bare names. One that starts
// the text is a folder macro written bare, which setup.exe documents; one
// further in is a folder's own name: a full path through "C:\Program
// Files" gets the folder put in again. A macro still empty has its own
// finding.
void FolderMacroCheck::CheckBareWords(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& value,
                                      bool installFolder) {
    std::vector<std::string> words;
    for (const std::string& word : m_table.MacrosReplacedIn(value)) {
        const bool late = installFolder && m_table.EmptyWhenInstallFolderIsRead(word);
        const bool inside = value.find(word) != 0 || value.find(word, 1) != std::string::npos;
        if (!late && inside) {
            words.push_back(word);
        }
    }
    if (words.empty()) {
        return;
    }
    std::vector<std::string> quoted;
    for (const std::string& word : words) {
        quoted.push_back(Quote(word));
    }
    m_findings.Add(kinds::kBareMacroName, file, section, key,
                   "a text without \"<\" has its bare macro names replaced: setup.exe puts the "
                   "folder in for " +
                       Join(quoted) + ", and " + Quote(value) + " becomes " +
                       Quote(m_table.Expand(value)),
                   "write the folder as its macro (" + Join(Bracketed(words)) + ")");
}

void FolderMacroCheck::CheckEmptyMacros(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& value,
                                        bool installFolder) {
    std::vector<std::string> empty;
    std::vector<std::string> filled;
    for (const std::string& macro : FolderMacroNames()) {
        (m_table.EmptyWhenInstallFolderIsRead(macro) ? empty : filled).push_back(macro);
    }
    const bool bare = value.find('<') == std::string::npos;
    for (const std::string& macro : m_table.MacrosReplacedIn(value)) {
        const std::string shown = bare ? Quote(macro) : "<" + macro + ">";
        if (installFolder && m_table.EmptyWhenInstallFolderIsRead(macro)) {
            m_findings.Add(kinds::kMacroEmptyAtDataTag, file, section, key,
                           shown +
                               " is still empty when setup.exe reads data.tag, so it expands "
                               "to nothing and the install folder becomes " +
                               Quote(m_table.Expand("<Install Dir>")),
                           "use a macro filled by then: " + Join(Bracketed(filled)));
        } else if (!installFolder && m_table.EmptyOnMachine(macro)) {
            m_findings.Add(kinds::kInstallDirEmpty, file, section, key,
                           shown +
                               " expands to nothing: data.tag names no install folder "
                               "(APPINFO 5), so the condition tests " +
                               Quote(m_table.Expand(value)),
                           "give data.tag the install folder, or write the path itself");
        }
    }
}

// Paths setup.exe hands on as written: programs, pictures, subjects that
// are window titles or product names, parameters, the splash's address.
void FolderMacroCheck::CheckLiteralPaths() {
    for (const int record : m_folder.Records("FILESUPPORT", 'A', 'B')) {
        CheckLiteral("FILESUPPORT", TagFile::ListKey('A', record), "a FILESUPPORT program");
    }
    for (const int record : m_folder.Records("BILLBOARDSKV", 'B', 'E')) {
        CheckLiteral("BILLBOARDSKV", TagFile::ListKey('B', record), "a billboard's picture");
    }
    CheckLiteral("BACKGROUND", "5", "the background's picture");
    CheckLiteral("SPLASH", "A1", "the splash's address");
    for (const int record : m_folder.Records(kActions, 'A', 'H')) {
        const std::string type = m_folder.Field(kActions, 'B', record);
        const std::string then = m_folder.Field(kActions, 'D', record);
        const bool thirdParty =
            type == keywords::kRunThirdParty || type == keywords::kRunThirdPartyAndWait;
        if (thirdParty || then == keywords::kRunProgram) {
            CheckLiteral(kActions, TagFile::ListKey('G', record), "the program of an action");
        }
        if (thirdParty) {
            CheckLiteral(kActions, TagFile::ListKey('H', record), "a program's parameters");
        }
        if (type == keywords::kIfRunning || type == keywords::kIfInstalled ||
            type == keywords::kIfNotInstalled || then == keywords::kCloseProgram) {
            CheckLiteral(kActions, TagFile::ListKey('C', record),
                         "a window title or a product name");
        }
    }
}

void FolderMacroCheck::CheckLiteral(const std::string& section, const std::string& key,
                                    const std::string& what) {
    const std::string value = m_folder.Value(section, key);
    // An address holds "%20" and the like: it is no path.
    if (section != "SPLASH") {
        CheckEnvironment(TagFile::kFileName, section, key, value);
    }
    const std::vector<std::string> macros = FolderMacroNames();
    for (std::string::size_type open = value.find('<'); open != std::string::npos;
         open = value.find('<', open + 1)) {
        const std::string::size_type close = value.find('>', open);
        if (close == std::string::npos) {
            return;
        }
        const std::string name = value.substr(open + 1, close - open - 1);
        if (!NearestKeyword(name, Pointers(macros)).empty()) {
            m_findings.Add(kinds::kMacroTakenLiterally, TagFile::kFileName, section, key,
                           "nothing expands folder macros in " + what + ": setup.exe takes <" +
                               name + "> as written",
                           "write the path itself: only data.tag's install folder and the "
                           "subject of \"If the file described below exists\" expand macros");
            return;
        }
    }
}

void FolderMacroCheck::CheckEnvironment(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& value) {
    const std::string variable = EnvironmentVariableIn(value);
    if (!variable.empty()) {
        m_findings.Add(kinds::kEnvironmentVariable, file, section, key,
                       "setup.exe expands no environment variables: it takes " + variable +
                           " as written, and " + Quote(value) + " names no file",
                       "write the path itself, or a folder macro where macros are expanded");
    }
}

}  // namespace kestavo::vendortools
