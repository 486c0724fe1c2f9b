#pragma once

#include <string>

namespace kestavo::sim {

// How Windows' profile-string service turns an INI file's bytes into text and
// hands its answers back to a program that speaks the ANSI code page: the
// machine's, 1252 (Western European) unless it names another.
class ProfileEncoding {
public:
    static constexpr unsigned kWestern = 1252;

    // The file's text: UTF-8 or UTF-16 when it starts with that byte-order
    // mark, the ANSI code page otherwise.
    static std::u16string DecodeFile(const std::string& bytes, unsigned codePage = kWestern);

    static std::u16string FromAnsi(const std::string& text, unsigned codePage = kWestern);

    // A character the code page cannot hold becomes '?' (see CodePageText
    // for the code pages other than 1252).
    static std::string ToAnsi(const std::u16string& text, unsigned codePage = kWestern);
};

}  // namespace kestavo::sim
