#include "vendortools/TagLayout.h"

#include "platform/sim/ProfileEncoding.h"

namespace kestavo::vendortools {

namespace {

using sim::ProfileEncoding;

bool StartsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

// The length of the UTF-8 sequence of more than one byte that starts at
// `at`, or 0.
std::size_t Utf8SequenceAt(const std::string& bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

bool TagLayout::SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

TagLayout::TagLayout(const std::optional<std::string>& bytes) : m_exists(bytes.has_value()) {
    if (!bytes) {
        return;
    }
    if (StartsWith(*bytes, "\xEF\xBB\xBF")) {
        m_byteOrderMark = "UTF-8";
    } else if (StartsWith(*bytes, "\xFF\xFE") || StartsWith(*bytes, "\xFE\xFF")) {
        m_byteOrderMark = "UTF-16";
    } else {
        FindUtf8(*bytes);
    }
    const sim::IniFile ini(ProfileEncoding::DecodeFile(*bytes));
    for (const sim::IniFile::Line& read : ini.Lines()) {
        m_lines.push_back(Line{read.number, ProfileEncoding::ToAnsi(read.section), read.header,
                               ProfileEncoding::ToAnsi(read.key), read.hasValue,
                               ProfileEncoding::ToAnsi(read.value), read.hidden,
                               read.inHiddenSection});
    }
}

// Lines are counted as the reader counts them: CR LF, CR and LF each end one.
void TagLayout::FindUtf8(const std::string& bytes) {
    std::size_t line = 1;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\n' ||
            (bytes[at] == '\r' && (at + 1 == bytes.size() || bytes[at + 1] != '\n'))) {
            ++line;
        } else if (const std::size_t length = Utf8SequenceAt(bytes, at)) {
            if (m_utf8Lines.empty() || m_utf8Lines.back() != line) {
                m_utf8Lines.push_back(line);
            }
            at += length - 1;
        }
    }
}

std::size_t TagLayout::LineOf(const std::string& section, const std::string& key) const {
    for (const Line& line : m_lines) {
        if (!line.header && !line.hidden && SameName(line.section, section) &&
            SameName(line.key, key)) {
            return line.number;
        }
    }
    return 0;
}

std::size_t TagLayout::SectionLine(const std::string& section) const {
    for (const Line& line : m_lines) {
        if (line.header && SameName(line.section, section)) {
            return line.number;
        }
    }
    return 0;
}

std::vector<std::string> TagLayout::KeysOf(const std::string& section) const {
    std::vector<std::string> keys;
    bool inFirst = false;
    bool seen = false;
    for (const Line& line : m_lines) {
        if (line.header) {
            inFirst = !seen && SameName(line.section, section);
            seen = seen || inFirst;
        } else if (inFirst || (line.section.empty() && section.empty())) {
            keys.push_back(line.key);
        }
    }
    return keys;
}

}  // namespace kestavo::vendortools
