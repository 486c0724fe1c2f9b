#include "platform/sim/IniFile.h"

#include <algorithm>

namespace kestavo::sim {

// Keys ahead of the first header form a nameless section, found by an empty
// section name; it hides any later "[]" section. Within a section only the
// first key of a name is ever seen.
IniFile::IniFile(const std::u16string& text) {
    m_sections.emplace_back();
    m_firstSection.emplace(u"", 0);
    Section* current = &m_sections.back();
    std::u16string currentName;
    bool currentHidden = false;
    const std::u16string_view view(text);
    std::size_t next = 1;
    for (std::size_t pos = 0; pos < view.size();) {
        Line layout;
        layout.number = next;
        const std::u16string_view line = Trim(NextLine(view, pos, next));
        if (line.empty()) {
            continue;
        }
        if (const std::optional<std::u16string_view> name = HeaderName(line)) {
            m_sections.emplace_back();
            current = &m_sections.back();
            currentName = std::u16string(*name);
            currentHidden = !m_firstSection.emplace(Fold(*name), m_sections.size() - 1).second;
            layout.section = currentName;
            layout.header = true;
            layout.hidden = currentHidden;
            m_lines.push_back(std::move(layout));
            continue;
        }
        const std::size_t equals = line.find(u'=');
        const std::u16string_view key = Trim(line.substr(0, equals));
        std::optional<std::u16string> value;
        if (equals != std::u16string_view::npos) {
            const std::u16string_view trimmed = Trim(line.substr(equals + 1));
            value = std::u16string(trimmed.substr(0, trimmed.find(u'\0')));
        }
        current->keys.push_back(Key{std::u16string(key.substr(0, key.find(u'\0'))), value});
        layout.section = currentName;
        layout.key = current->keys.back().name;
        layout.hasValue = value.has_value();
        layout.value = value.value_or(std::u16string());
        layout.inHiddenSection = currentHidden;
        layout.hidden =
            !current->values.emplace(Fold(key), std::move(value)).second || currentHidden;
        m_lines.push_back(std::move(layout));
    }
}

const IniFile::Section* IniFile::FindSection(std::u16string_view section) const {
    const auto found = m_firstSection.find(Fold(Trim(section)));
    return found == m_firstSection.end() ? nullptr : &m_sections[found->second];
}

std::optional<std::u16string> IniFile::Find(std::u16string_view section,
                                            std::u16string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto value = found->values.find(Fold(Trim(key)));
    return value == found->values.end() ? std::nullopt : value->second;
}

std::vector<IniFile::Key> IniFile::Keys(std::u16string_view section) const {
    const Section* found = FindSection(section);
    return found == nullptr ? std::vector<Key>() : found->keys;
}

// A line ends at CR or LF, alone or in any run; `number` counts the lines
// an editor would see end there.
std::u16string_view IniFile::NextLine(std::u16string_view text, std::size_t& pos,
                                      std::size_t& number) {
    const std::size_t start = pos;
    const std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
    pos = std::min(text.find_first_not_of(u"\r\n", end), text.size());
    for (std::size_t at = end; at < pos; ++at) {
        if (text[at] == u'\n' || at + 1 == pos || text[at + 1] != u'\n') {
            ++number;
        }
    }
    return text.substr(start, end - start);
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
std::u16string IniFile::Fold(std::u16string_view name) {
    std::u16string folded(name.substr(0, name.find(u'\0')));
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return folded;
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
