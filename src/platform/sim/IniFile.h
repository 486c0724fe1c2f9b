#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestavo::sim {

// The text of one INI file, searched the way Windows' profile-string service
// searches it. There are no syntax errors and no comments: a line is a section
// header, a key with a value, or a key without one. The file is indexed once,
// so a lookup costs the same however long the file is.
class IniFile {
public:
    explicit IniFile(const std::u16string& text);

    // The key's value, trimmed; nothing when the section or the key is missing
    // or the key's line has no '='.
    std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
    // The key lines of the section's first occurrence, in file order: the
    // name, and the value when the line has an '='.
    struct Key {
        std::u16string name;
        std::optional<std::u16string> value;
    };
    std::vector<Key> Keys(std::u16string_view section) const;

    // Every line that is not blank, as the service reads it, numbered from
    // 1 as an editor counts lines (CR LF, CR and LF each end one), for the
    // tools that show a vendor which line setup.exe reads.
    struct Line {
        std::size_t number = 0;
        // The header's name, or the name of the section the key stands in
        // (empty ahead of the first header).
        std::u16string section;
        bool header = false;
        std::u16string key;
        bool hasValue = false;
        std::u16string value;
        // An earlier header or key of the same name is the one searched.
        bool hidden = false;
        // The key stands in a section an earlier one of its name hides.
        bool inHiddenSection = false;
    };
    const std::vector<Line>& Lines() const { return m_lines; }

private:
    struct Section {
        std::vector<Key> keys;
        // The first line of each key name, by its folded name: its value, or
        // nothing when that line has no '='.
        std::unordered_map<std::u16string, std::optional<std::u16string>> values;
    };

    static std::u16string_view NextLine(std::u16string_view text, std::size_t& pos,
                                        std::size_t& number);
    static bool IsBlank(char16_t c);
    static std::u16string_view Trim(std::u16string_view text);
    static std::u16string Fold(std::u16string_view name);
    static std::optional<std::u16string_view> HeaderName(std::u16string_view line);
    const Section* FindSection(std::u16string_view section) const;

    std::vector<Section> m_sections;
    std::vector<Line> m_lines;
    // Only the first section of a name is ever searched.
    std::unordered_map<std::u16string, std::size_t> m_firstSection;
};

}  // namespace kestavo::sim
