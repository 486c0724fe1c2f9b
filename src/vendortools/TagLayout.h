#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/IniFile.h"

namespace kestavo::vendortools {

// A tag file's lines as the profile-string service reads them (the same
// reader the simulated machine answers setup.exe with), with names and
// values in the ANSI code page, and what its bytes look like before that
// reading.
class TagLayout {
public:
    struct Line {
        std::size_t number = 0;
        std::string section;
        bool header = false;
        std::string key;
        bool hasValue = false;
        std::string value;
        bool hidden = false;
        bool inHiddenSection = false;
    };

    // Nothing is read from a file that is not there.
    explicit TagLayout(const std::optional<std::string>& bytes);

    bool Exists() const { return m_exists; }
    const std::vector<Line>& Lines() const { return m_lines; }
    // The line setup.exe takes the key's value from: the first of its name
    // in the first section of its name. 0 when there is none.
    std::size_t LineOf(const std::string& section, const std::string& key) const;
    // The line of the section's first header, 0 when there is none.
    std::size_t SectionLine(const std::string& section) const;
    // The key names of the section's first occurrence, as written.
    std::vector<std::string> KeysOf(const std::string& section) const;

    // The byte-order mark the file starts with ("UTF-8", "UTF-16"), if any.
    const std::string& ByteOrderMark() const { return m_byteOrderMark; }
    // Lines holding UTF-8 text without a mark: setup.exe reads each of its
    // bytes as a character of the ANSI code page.
    const std::vector<std::size_t>& Utf8Lines() const { return m_utf8Lines; }

    // Names compare as the profile service compares them.
    static bool SameName(const std::string& a, const std::string& b);

private:
    void FindUtf8(const std::string& bytes);

    bool m_exists = false;
    std::vector<Line> m_lines;
    std::string m_byteOrderMark;
    std::vector<std::size_t> m_utf8Lines;
};

}  // namespace kestavo::vendortools
