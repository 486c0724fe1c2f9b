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
    // The names of the keys of the section's first occurrence, in file order.
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

private:
    struct Section {
        std::vector<std::u16string> keyNames;
        // The first line of each key name, by its folded name: its value, or
        // nothing when that line has no '='.
        std::unordered_map<std::u16string, std::optional<std::u16string>> values;
    };

    static std::u16string_view NextLine(std::u16string_view text, std::size_t& pos);
    static bool IsBlank(char16_t c);
    static std::u16string_view Trim(std::u16string_view text);
    static std::u16string Fold(std::u16string_view name);
    static std::optional<std::u16string_view> HeaderName(std::u16string_view line);
    const Section* FindSection(std::u16string_view section) const;

    std::vector<Section> m_sections;
    // Only the first section of a name is ever searched.
    std::unordered_map<std::u16string, std::size_t> m_firstSection;
};

}  // namespace kestavo::sim
