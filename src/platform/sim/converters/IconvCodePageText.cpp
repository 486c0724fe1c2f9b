// The C library's converter: glibc knows every ANSI code page as "CPnnnn".
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/sim/CodePageText.h"

namespace kestavo::sim {

namespace {

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : m_handle(iconv_open(to.c_str(), from.c_str())), m_open(m_handle != kNotOpen) {}
    ~Converter() {
        if (m_open) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Open() const { return m_open; }

    // The input converted until its end; at each unit it cannot convert,
    // `replacement` is written and `skip(position)` units of `unit` bytes are
    // passed over.
    template <typename Skip>
    std::string Convert(std::string input, std::size_t unit, const std::string& replacement,
                        Skip skip) {
        std::string output;
        char* in = input.data();
        std::size_t inLeft = input.size();
        char buffer[256];
        while (inLeft != 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t done = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                output += replacement;
                const std::size_t passed = std::min(inLeft, skip(in) * unit);
                in += passed;
                inLeft -= passed;
            }
        }
        return output;
    }

private:
    static inline const iconv_t kNotOpen = reinterpret_cast<iconv_t>(std::intptr_t{-1});

    iconv_t m_handle;
    bool m_open;
};

std::string CodePageName(unsigned codePage) {
    return "CP" + std::to_string(codePage);
}

char16_t UnitAt(const char* bytes) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[0]) |
                                 (static_cast<unsigned char>(bytes[1]) << 8));
}

}  // namespace

// A C library without the code page's table gives each byte its own number.
std::u16string CodePageText::Decode(unsigned codePage, const std::string& bytes) {
    Converter converter("UTF-16LE", CodePageName(codePage));
    if (!converter.Open()) {
        return std::u16string(bytes.begin(), bytes.end());
    }
    const std::string wide =
        converter.Convert(bytes, 1, std::string("\xFD\xFF", 2), [](const char*) { return 1; });
    std::u16string text;
    for (std::size_t at = 0; at + 1 < wide.size(); at += 2) {
        text.push_back(UnitAt(wide.data() + at));
    }
    return text;
}

// A character outside the Basic Multilingual Plane is one '?', as its two
// halves make one character.
std::string CodePageText::Encode(unsigned codePage, const std::u16string& text) {
    std::string wide;
    for (char16_t unit : text) {
        wide.push_back(static_cast<char>(unit & 0xFF));
        wide.push_back(static_cast<char>(unit >> 8));
    }
    Converter converter(CodePageName(codePage), "UTF-16LE");
    if (!converter.Open()) {
        std::string narrow;
        for (char16_t unit : text) {
            narrow.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
        }
        return narrow;
    }
    return converter.Convert(wide, 2, "?", [](const char* at) {
        const char16_t unit = UnitAt(at);
        return unit >= 0xD800 && unit <= 0xDBFF ? 2 : 1;
    });
}

}  // namespace kestavo::sim
