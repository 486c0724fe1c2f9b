#pragma once

namespace kestavo {

// WideCharToMultiByte's flag that keeps it from writing a look-alike for a
// character the code page lacks, with the value Windows gives it.
inline constexpr unsigned long kNoBestFitChars = 0x400;

// How text is written in a code page so that no character is lost
// unnoticed, with a '?' or a look-alike in its place.
struct AnsiConversion {
    // WideCharToMultiByte's flags.
    unsigned long flags;
    // Whether the call may be asked if it put a default character in;
    // where it may not, what it wrote is read back and compared.
    bool asksUsedDefault;

    constexpr bool operator==(const AnsiConversion& other) const {
        return flags == other.flags && asksUsedDefault == other.asksUsedDefault;
    }
};

// Most code pages take WC_NO_BEST_FIT_CHARS and say whether a default
// character was put in. UTF-8 (which Windows 10 lets a user make the ANSI
// code page), UTF-7, Symbol and the ISO-2022, HZ, GB18030 and ISCII code
// pages refuse both and fail every call that asks: they are written without
// flags and read back. UTF-8 and GB18030 write every character, so only an
// unpaired surrogate comes back otherwise, and is refused.
constexpr AnsiConversion AnsiConversionFor(unsigned codePage) {
    const bool takesNoFlags = codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
                              codePage == 52936 || codePage == 54936 ||
                              (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
                              codePage == 65001;
    return takesNoFlags ? AnsiConversion{0, false} : AnsiConversion{kNoBestFitChars, true};
}

}  // namespace kestavo
