#include "vendortools/TagSchema.h"

#include "core/TagFile.h"
#include "core/TagKeywords.h"
#include "vendortools/TagLayout.h"

namespace kestavo::vendortools {

namespace {

using keywords::kActionTypes;
using keywords::kCompletionChoices;
using keywords::kFileSupportPoints;
using keywords::kLanguageModes;
using keywords::kSoundModes;
using keywords::kSplashModes;
using keywords::kThenActions;

template <std::size_t N>
std::vector<const char*> Words(const char* const (&words)[N]) {
    return std::vector<const char*>(words, words + N);
}

std::vector<KeyRule> MakeKeys() {
    constexpr std::size_t kValue = TagFile::kValueCapacity;
    constexpr std::size_t kList = TagFile::kListCapacity;
    const char* tag = TagFile::kFileName;
    return {
        {tag, "BUILD", "SILENT", kValue, ValueKind::Flag, {}},
        {tag, "SETUP", "CODEPAGE", kValue, ValueKind::Number, {}},
        {tag, "SETUP", "0", kValue, ValueKind::Text, {}},
        {tag, "SETUP", "1", kValue, ValueKind::Text, {}},
        {tag, "APPINFO", "LanguageM", kValue, ValueKind::Keyword, Words(kLanguageModes)},
        {tag, "FILESUPPORT", "TOTAL", kList, ValueKind::Count, {}},
        {tag, "FILESUPPORT", "A#", kList, ValueKind::Program, {}},
        {tag, "FILESUPPORT", "B#", kList, ValueKind::Keyword, Words(kFileSupportPoints)},
        {tag, "SPLASH", "A0", kList, ValueKind::Keyword, Words(kSplashModes)},
        {tag, "SPLASH", "A1", kList, ValueKind::Text, {}},
        {tag, "SPLASH", "A2", kList, ValueKind::Keyword, Words(kSoundModes), true},
        {tag, "SPLASH", "A4", kList, ValueKind::Seconds, {}},
        {tag, "SPLASH", "B0", kList, ValueKind::Text, {}},
        {tag, "BACKGROUND", "0", kValue, ValueKind::Flag, {}},
        {tag, "BACKGROUND", "1", kValue, ValueKind::Text, {}},
        {tag, "BACKGROUND", "2", kValue, ValueKind::Text, {}},
        {tag, "BACKGROUND", "3", kValue, ValueKind::Colour, {}},
        {tag, "BACKGROUND", "4", kValue, ValueKind::Colour, {}},
        {tag, "BACKGROUND", "5", kValue, ValueKind::Picture, {}},
        {tag, "BILLBOARDSKV", "TOTAL", kList, ValueKind::Count, {}},
        {tag, "BILLBOARDSKV", "B#", kValue, ValueKind::Picture, {}},
        {tag, "BILLBOARDSKV", "C#", kValue, ValueKind::Seconds, {}},
        {tag, "BILLBOARDSKV", "D#", kValue, ValueKind::Number, {}},
        {tag, "BILLBOARDSKV", "E#", kValue, ValueKind::Number, {}},
        {tag, "ADVACTIONSKV", "TOTAL", kList, ValueKind::Count, {}},
        {tag, "ADVACTIONSKV", "A#", kList, ValueKind::Text, {}},
        {tag, "ADVACTIONSKV", "B#", kList, ValueKind::Keyword, Words(kActionTypes)},
        {tag, "ADVACTIONSKV", "C#", kList, ValueKind::Text, {}},
        {tag, "ADVACTIONSKV", "D#", kList, ValueKind::Keyword, Words(kThenActions)},
        {tag, "ADVACTIONSKV", "E#", kList, ValueKind::Keyword, Words(kCompletionChoices), true},
        {tag,
         "ADVACTIONSKV",
         "F#",
         kList,
         ValueKind::Keyword,
         {keywords::kAfterSetupComplete},
         true},
        {tag, "ADVACTIONSKV", "G#", kList, ValueKind::Program, {}},
        {tag, "ADVACTIONSKV", "H#", kList, ValueKind::Text, {}},
        {TagFile::kDataFileName, "APPINFO", "5", kList, ValueKind::Folder, {}},
    };
}

}  // namespace

const std::vector<KeyRule>& TagSchema::Keys() {
    static const std::vector<KeyRule> keys = MakeKeys();
    return keys;
}

const KeyRule* TagSchema::Find(const std::string& file, const std::string& section,
                               const std::string& key) {
    for (const KeyRule& rule : Keys()) {
        if (!TagLayout::SameName(rule.file, file) || !TagLayout::SameName(rule.section, section)) {
            continue;
        }
        if (IsListKey(rule) ? TagLayout::SameName(std::string(1, rule.key[0]), key.substr(0, 1)) &&
                                  TagFile::ListIndex(key) >= 0
                            : TagLayout::SameName(rule.key, key)) {
            return &rule;
        }
    }
    return nullptr;
}

bool TagSchema::KnowsSection(const std::string& file, const std::string& section) {
    for (const KeyRule& rule : Keys()) {
        if (TagLayout::SameName(rule.file, file) && TagLayout::SameName(rule.section, section)) {
            return true;
        }
    }
    return false;
}

std::vector<const char*> TagSchema::SectionNames(const std::string& file) {
    std::vector<const char*> names;
    for (const KeyRule& rule : Keys()) {
        if (TagLayout::SameName(rule.file, file) &&
            (names.empty() || std::string(names.back()) != rule.section)) {
            names.push_back(rule.section);
        }
    }
    return names;
}

std::vector<const char*> TagSchema::KeyNames(const std::string& file, const std::string& section) {
    std::vector<const char*> names;
    for (const KeyRule& rule : Keys()) {
        if (TagLayout::SameName(rule.file, file) && TagLayout::SameName(rule.section, section) &&
            !IsListKey(rule)) {
            names.push_back(rule.key);
        }
    }
    return names;
}

}  // namespace kestavo::vendortools
