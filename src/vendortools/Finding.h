#pragma once

#include <cstddef>
#include <string>

namespace kestavo::vendortools {

// Errors make the setup do other than what the vendor wrote; warnings are
// values read in a way the vendor may not expect; notes are worth knowing
// and change nothing.
enum class Severity { Error, Warning, Note };

// A kind of mistake: a code that never changes meaning once given, so that
// a vendor's CI can silence one it has accepted, and how bad it is.
struct FindingKind {
    const char* code;
    Severity severity;
};

// One thing the checker found in a setup folder. Its texts are in the ANSI
// code page, as setup.exe reads the vendor's values; the tools convert them
// when they print.
struct Finding {
    std::string code;
    Severity severity = Severity::Note;
    std::string file;
    // 1-based; 0 when the finding belongs to no line (a missing file).
    std::size_t line = 0;
    std::string section;
    std::string key;
    // What setup.exe will do.
    std::string message;
    // What the vendor can do about it; empty when there is nothing to do.
    std::string fix;
};

const char* SeverityName(Severity severity);

}  // namespace kestavo::vendortools
