#include "platform/sim/IniFile.h"

#include <algorithm>
#include <cstddef>

namespace kestavo::sim {

// Only the first section of a name is searched, and in it only the first key
// of a name: later ones are never seen. Keys ahead of the first header form a
// nameless section, found by an empty section name.
std::optional<std::u16string> IniFile::Find(std::u16string_view section,
                                            std::u16string_view key) const {
    const std::u16string_view wantedSection = Trim(section);
    const std::u16string_view wantedKey = Trim(key);
    bool inSection = wantedSection.empty();
    for (std::size_t pos = 0; pos < m_text.size();) {
        const std::u16string_view line = Trim(NextLine(pos));
        if (line.empty()) {
            continue;
        }
        if (const std::optional<std::u16string_view> name = HeaderName(line)) {
            if (inSection) {
                return std::nullopt;
            }
            inSection = SameName(*name, wantedSection);
            continue;
        }
        const std::size_t equals = line.find(u'=');
        if (!inSection || !SameName(Trim(line.substr(0, equals)), wantedKey)) {
            continue;
        }
        if (equals == std::u16string_view::npos) {
            return std::nullopt;
        }
        const std::u16string_view value = Trim(line.substr(equals + 1));
        return std::u16string(value.substr(0, value.find(u'\0')));
    }
    return std::nullopt;
}

// A line ends at CR or LF, alone or in any run.
std::u16string_view IniFile::NextLine(std::size_t& pos) const {
    const std::size_t start = pos;
    const std::size_t end = std::min(m_text.find_first_of(u"\r\n", start), m_text.size());
    pos = std::min(m_text.find_first_not_of(u"\r\n", end), m_text.size());
    return std::u16string_view(m_text).substr(start, end - start);
}

// The C blanks and Ctrl-Z, the end-of-file mark of old editors.
bool IniFile::IsBlank(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == u' ';
}

std::u16string_view IniFile::Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Names compare as C strings, up to a NUL, with only the ASCII letters folded.
bool IniFile::SameName(std::u16string_view name, std::u16string_view wanted) {
    name = name.substr(0, name.find(u'\0'));
    if (name.size() != wanted.size()) {
        return false;
    }
    const auto fold = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (fold(name[i]) != fold(wanted[i])) {
            return false;
        }
    }
    return true;
}

// A header starts with '[' and runs to the last ']' on its line; what follows
// is ignored. A '[' line without ']' is an ordinary key.
std::optional<std::u16string_view> IniFile::HeaderName(std::u16string_view line) {
    const std::size_t close = line.rfind(u']');
    if (line.front() != u'[' || close == std::u16string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

}  // namespace kestavo::sim
