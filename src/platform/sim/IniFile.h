#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestavo::sim {

// The text of one INI file, searched the way Windows' profile-string service
// searches it. There are no syntax errors and no comments: a line is a section
// header, a key with a value, or a key without one.
class IniFile {
public:
    explicit IniFile(std::u16string text) : m_text(std::move(text)) {}

    // The key's value, trimmed; nothing when the section or the key is missing
    // or the key's line has no '='.
    std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;

private:
    std::u16string_view NextLine(std::size_t& pos) const;

    static bool IsBlank(char16_t c);
    static std::u16string_view Trim(std::u16string_view text);
    static bool SameName(std::u16string_view name, std::u16string_view wanted);
    static std::optional<std::u16string_view> HeaderName(std::u16string_view line);

    std::u16string m_text;
};

}  // namespace kestavo::sim
