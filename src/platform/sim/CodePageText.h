#pragma once

#include <string>

namespace kestavo::sim {

// Text in one of Windows' ANSI code pages, to and from UTF-16, as the
// system's own converter turns it: the build picks the C library's on the
// host and Windows' own in the vendor's tools built for Windows. The
// simulated machine reads and answers in its ANSI code page through it.
class CodePageText {
public:
    // A byte the code page gives no character, or a lead byte without its
    // second, becomes U+FFFD with the C library's converter, and what the
    // code page's table says with Windows'.
    static std::u16string Decode(unsigned codePage, const std::string& bytes);
    // A character the code page lacks becomes '?' with the C library's
    // converter; Windows' writes a look-alike where its table has one.
    static std::string Encode(unsigned codePage, const std::u16string& text);
};

}  // namespace kestavo::sim
