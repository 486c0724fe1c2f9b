#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestavo::vendortools {

// How setup.exe uses a value, which decides what can go wrong with it.
enum class ValueKind {
    Text,     // shown or passed on as it is
    Flag,     // a number compared with one value (SILENT=1)
    Number,   // a number, the atoi way
    Count,    // a list's TOTAL
    Seconds,  // a time in seconds
    Keyword,  // compared byte for byte with keywords
    Program,  // a program in (or named from) the setup folder
    Picture,  // a picture file taken from the setup folder by its name
    Colour,   // the background's "x@0xRR,0xGG,0xBB" format
    Folder,   // a folder that may hold folder macros
};

// One key setup.exe reads: in which file and section, through a buffer of
// how many characters, and how the value is used. A list key ("A#") stands
// for the letter followed by an index, as setup.exe forms it ("A0", "A12").
struct KeyRule {
    const char* file;
    const char* section;
    const char* key;
    std::size_t capacity;
    ValueKind kind;
    // For keywords: the words compared with, and whether any other value
    // is an ordinary choice (a completion choice that goes on) rather than
    // a mistake.
    std::vector<const char*> keywords;
    bool otherValuesAllowed = false;
};

// Every key of kestavo.tag and data.tag that setup.exe reads.
class TagSchema {
public:
    static const std::vector<KeyRule>& Keys();
    // The rule of a key as a file names it (any letter case, "a3" for
    // "A#"), or null when setup.exe never reads it.
    static const KeyRule* Find(const std::string& file, const std::string& section,
                               const std::string& key);
    // Whether setup.exe reads anything of the section.
    static bool KnowsSection(const std::string& file, const std::string& section);
    // The sections of a file, and the keys of a section that are no list
    // keys, as setup.exe spells them.
    static std::vector<const char*> SectionNames(const std::string& file);
    static std::vector<const char*> KeyNames(const std::string& file, const std::string& section);
    static bool IsListKey(const KeyRule& rule) { return rule.key[1] == '#'; }
};

}  // namespace kestavo::vendortools
