#include "vendortools/CodePage.h"

#include "platform/sim/CodePageText.h"

namespace kestavo::vendortools {

namespace {

// The ANSI code pages hold characters of the Basic Multilingual Plane
// alone: a UTF-16 unit is a character, and a surrogate is none.
void AppendUtf8(std::string& utf8, char16_t unit) {
    const unsigned character = unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFDu : unit;
    if (character < 0x80) {
        utf8 += static_cast<char>(character);
    } else if (character < 0x800) {
        utf8 += static_cast<char>(0xC0 | (character >> 6));
        utf8 += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (character >> 12));
        utf8 += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (character & 0x3F));
    }
}

}  // namespace

std::optional<CodePage> CodePage::Ansi(unsigned number) {
    const bool doubleByte = number == 932 || number == 936 || number == 949 || number == 950;
    const bool singleByte = number == 874 || (number >= 1250 && number <= 1258);
    if (!doubleByte && !singleByte) {
        return std::nullopt;
    }
    return CodePage(number);
}

const char* CodePage::AnsiNumbers() {
    return "874, 932, 936, 949, 950 or 1250 to 1258";
}

// The same converter the simulated machine reads its tag files with, so
// that what the tools print is what that machine holds.
std::string CodePage::ToUtf8(const std::string& bytes) const {
    std::string utf8;
    for (const char16_t unit : sim::CodePageText::Decode(m_number, bytes)) {
        AppendUtf8(utf8, unit);
    }
    return utf8;
}

}  // namespace kestavo::vendortools
