#pragma once

#include <string>

namespace kestavo::sim {

// How Windows' profile-string service turns an INI file's bytes into text and
// hands its answers back to a program that speaks the ANSI code page. The
// simulated machine's ANSI code page is 1252 (Western European).
class ProfileEncoding {
public:
    // The file's text: UTF-8 or UTF-16 when it starts with that byte-order
    // mark, code page 1252 otherwise.
    static std::u16string DecodeFile(const std::string& bytes);

    static std::u16string FromAnsi(const std::string& text);

    // One byte per character; a character code page 1252 cannot hold becomes '?'.
    static std::string ToAnsi(const std::u16string& text);
};

}  // namespace kestavo::sim
