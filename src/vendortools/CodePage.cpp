#include "vendortools/CodePage.h"

namespace kestavo::vendortools {

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

}  // namespace kestavo::vendortools
