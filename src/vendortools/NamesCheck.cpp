#include "vendortools/NamesCheck.h"

#include <algorithm>

#include "vendortools/CheckText.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/KeywordMatch.h"
#include "vendortools/TagSchema.h"

namespace kestavo::vendortools {

namespace {

using checktext::Quote;

std::string OtherFile(const std::string& file) {
    return file == TagFile::kFileName ? TagFile::kDataFileName : TagFile::kFileName;
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

// The one other section of the file that reads a key of this name ("SILENT"
// is read from [BUILD] alone); empty when none does, or more than one
// ("0" of [SETUP] and of [BACKGROUND]). A number alone, or a letter and a
// number ("A0", which every list has), names too little to say which
// section was meant.
std::string OnlySectionOf(const std::string& file, const std::string& section,
                          const std::string& key) {
    if (key.empty() || (key[0] >= '0' && key[0] <= '9') || TagFile::ListIndex(key) >= 0) {
        return "";
    }
    std::string found;
    for (const KeyRule& rule : TagSchema::Keys()) {
        if (TagSchema::IsListKey(rule) || !TagLayout::SameName(rule.file, file) ||
            TagLayout::SameName(rule.section, section) || !TagLayout::SameName(rule.key, key)) {
            continue;
        }
        if (!found.empty()) {
            return "";
        }
        found = rule.section;
    }
    return found;
}

// The key of a line written with ":" for "=" ("A0:Picture"), or empty.
std::string KeyBeforeColon(const std::string& file, const std::string& section,
                           const std::string& key) {
    const std::string::size_type colon = key.find(':');
    if (colon == std::string::npos || colon == 0) {
        return "";
    }
    const std::string name = key.substr(0, colon);
    return TagSchema::Find(file, section, name) != nullptr ? name : "";
}

}  // namespace

void NamesCheck::Run(const std::string& file) {
    CheckEncoding(file);
    CheckNames(file);
}

void NamesCheck::CheckEncoding(const std::string& file) {
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
                        Quote(entry.value),
                    "save the file as ANSI text (Windows-1252 on Western systems)");
            }
        }
    }
}

// Names setup.exe never asks for are typing mistakes, or leftovers; a name
// written twice is read once, the first time. A line starting with ";" is
// read as a key no one asks for, which is what its writer meant.
void NamesCheck::CheckNames(const std::string& file) {
    for (const TagLayout::Line& line : m_folder.TagLayoutOf(file).Lines()) {
        if (line.header) {
            CheckSectionName(file, line);
        } else if (line.key.empty() || line.key[0] != ';') {
            CheckKeyName(file, line);
        }
    }
}

void NamesCheck::CheckSectionName(const std::string& file, const TagLayout::Line& line) {
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

void NamesCheck::CheckKeyName(const std::string& file, const TagLayout::Line& line) {
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
        CheckUnknownKey(file, line);
    }
}

void NamesCheck::CheckUnknownKey(const std::string& file, const TagLayout::Line& line) {
    const std::string& section = line.section;
    const std::string& key = line.key;
    const std::string canonical = WithoutLeadingZeros(key);
    const std::string nearest = NearestKeyword(key, TagSchema::KeyNames(file, section));
    const std::string never = "setup.exe never reads key " + Quote(key) + " of [" + section + "]";
    const bool otherHasIt = m_folder.TagLayoutOf(OtherFile(file)).LineOf(section, key) != 0;
    const std::string home = OnlySectionOf(file, section, key);
    if (TagSchema::Find(OtherFile(file), section, key) != nullptr && otherHasIt) {
        m_findings.AddAtLine(kinds::kUnknownKey, file, line.number, section, key,
                             "setup.exe reads [" + section + "] " + key + " from " +
                                 OtherFile(file) + " only, which has it: this one is never read",
                             "remove it");
    } else if (TagSchema::Find(OtherFile(file), section, key) != nullptr) {
        m_findings.AddAtLine(kinds::kKeyOfOtherFile, file, line.number, section, key,
                             "setup.exe reads [" + section + "] " + key + " from " +
                                 OtherFile(file) + ", never from " + file,
                             "move it to " + OtherFile(file));
    } else if (!home.empty() && m_folder.TagLayoutOf(file).LineOf(home, key) == 0) {
        m_findings.AddAtLine(
            kinds::kKeyOfOtherSection, file, line.number, section, key,
            never + ": it reads " + key + " from [" + home + "] alone, so the value is ignored",
            "move it to [" + home + "]");
    } else if (const std::string colon = KeyBeforeColon(file, section, key); !colon.empty()) {
        m_findings.AddAtLine(
            kinds::kMisspelledKey, file, line.number, section, key,
            never + ": a line's key ends at \"=\" alone, so [" + section + "] has no " + colon,
            "write " + colon + "=" + key.substr(colon.size() + 1));
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

}  // namespace kestavo::vendortools
