#include "platform/sim/ProfileEncoding.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "platform/sim/CodePageText.h"

namespace kestavo::sim {

namespace {

// Code page 1252 from 0x80 to 0x9F; every other byte is the character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;

char16_t FromAnsiByte(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

char ToAnsiChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    const auto it = std::find(kHighControls.begin(), kHighControls.end(), c);
    return it != kHighControls.end() ? static_cast<char>(0x80 + (it - kHighControls.begin())) : '?';
}

void AppendCodePoint(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 | (code >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
}

std::size_t Utf8Followers(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 1;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 2;
    }
    return (lead >= 0xF0 && lead <= 0xF4) ? 3 : 0;
}

// The character whose UTF-8 sequence starts at bytes[pos], a byte of 0x80 or
// more; pos moves past the bytes used. A broken sequence gives U+FFFD and uses
// up its lead byte and the continuation bytes taken before the fault showed; a
// sequence cut short by the end of the file uses up the rest of the file. This
// is the order of checks Windows' decoder makes, so that a broken file yields
// the same number of replacement characters.
char32_t NextUtf8(const std::string& bytes, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos++]);
    const std::size_t followers = Utf8Followers(lead);
    if (followers == 0) {
        return kReplacement;
    }
    if (bytes.size() - pos < followers) {
        pos = bytes.size();
        return kReplacement;
    }
    char32_t code = lead & (0x7F >> (followers + 1));
    for (std::size_t left = followers; left-- > 0;) {
        const auto next = static_cast<unsigned char>(bytes[pos]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
        if (left == 1 && code >= (0x110000 >> 6)) {
            return kReplacement;
        }
        ++pos;
        const bool overlong = code < (left == 2 ? 0x10u : left == 1 ? 0x20u : 0x80u);
        const bool surrogate = left == 1 && code >= (0xD800 >> 6) && code <= (0xDFFF >> 6);
        if (overlong || surrogate) {
            return kReplacement;
        }
    }
    return code;
}

std::u16string FromUtf8(const std::string& bytes) {
    std::u16string text;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            text.push_back(byte);
            ++pos;
        } else {
            AppendCodePoint(text, NextUtf8(bytes, pos));
        }
    }
    return text;
}

// A trailing odd byte is dropped.
std::u16string FromUtf16(const std::string& bytes, bool bigEndian) {
    std::u16string text;
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        const auto first = static_cast<unsigned char>(bytes[pos]);
        const auto second = static_cast<unsigned char>(bytes[pos + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

bool StartsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

}  // namespace

std::u16string ProfileEncoding::DecodeFile(const std::string& bytes, unsigned codePage) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        return FromUtf8(bytes.substr(3));
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        return FromUtf16(bytes.substr(2), false);
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        return FromUtf16(bytes.substr(2), true);
    }
    return FromAnsi(bytes, codePage);
}

// Code page 1252 by its own table: every byte is a character there, so the
// bytes come back whole, and the fuzzed reads stay fast.
std::u16string ProfileEncoding::FromAnsi(const std::string& text, unsigned codePage) {
    if (codePage != kWestern) {
        return CodePageText::Decode(codePage, text);
    }
    std::u16string wide;
    wide.reserve(text.size());
    for (char byte : text) {
        wide.push_back(FromAnsiByte(static_cast<unsigned char>(byte)));
    }
    return wide;
}

std::string ProfileEncoding::ToAnsi(const std::u16string& text, unsigned codePage) {
    if (codePage != kWestern) {
        return CodePageText::Encode(codePage, text);
    }
    std::string ansi;
    ansi.reserve(text.size());
    for (char16_t c : text) {
        ansi.push_back(ToAnsiChar(c));
    }
    return ansi;
}

}  // namespace kestavo::sim
