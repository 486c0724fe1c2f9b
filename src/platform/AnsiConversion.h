#pragma once

namespace kestavo {

// WideCharToMultiByte's flag that keeps it from writing a look-alike for a
// character the code page lacks, with the value Windows gives it.
inline constexpr unsigned long kNoBestFitChars = 0x400;

// The flags with which WideCharToMultiByte writes text in a code page. Most
// code pages take WC_NO_BEST_FIT_CHARS, so that a character they lack
// becomes the default character and reading the text back finds it.
// UTF-8 (which Windows 10 lets a user make the ANSI code page), UTF-7,
// Symbol and the ISO-2022, HZ, GB18030 and ISCII code pages refuse it, and
// with it any question about a default character: they fail every call
// that asks. UTF-8 and GB18030 write every character, so reading back
// finds only an unpaired surrogate.
constexpr unsigned long AnsiConversionFlags(unsigned codePage) {
    const bool takesNoFlags = codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
                              codePage == 52936 || codePage == 54936 ||
                              (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
                              codePage == 65001;
    return takesNoFlags ? 0 : kNoBestFitChars;
}

}  // namespace kestavo
