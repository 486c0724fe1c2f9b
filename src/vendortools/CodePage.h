#pragma once

#include <optional>
#include <string>

namespace kestavo::vendortools {

// A Windows ANSI code page: the one a machine reads tag files in and shows
// their texts in. setup.exe works on the bytes; the vendor's tools turn
// them into UTF-8 only when they print, so that every output (text, JSON,
// HTML) shows the same characters.
class CodePage {
public:
    // The ANSI code pages of Windows: 874 (Thai), 932 (Japanese), 936
    // (Simplified Chinese), 949 (Korean), 950 (Traditional Chinese) and
    // 1250 to 1258 (the European, Cyrillic, Greek, Turkish, Hebrew, Arabic,
    // Baltic and Vietnamese ones). Nothing for any other number.
    static std::optional<CodePage> Ansi(unsigned number);
    // Those numbers, for a message that refuses another.
    static const char* AnsiNumbers();

    unsigned Number() const { return m_number; }
    // The bytes as UTF-8 text, converted by the system's own converter (the
    // build picks it). A byte the code page gives no character is shown as
    // that converter shows it: U+FFFD with the C library's, and the
    // character of the same number with Windows' for most such bytes.
    std::string ToUtf8(const std::string& bytes) const;

private:
    explicit CodePage(unsigned number) : m_number(number) {}

    unsigned m_number;
};

}  // namespace kestavo::vendortools
