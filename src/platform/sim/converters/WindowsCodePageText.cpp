// Windows' own converter: the characters are those the machine itself
// reads and writes for the bytes.
#include <windows.h>

#include <string>

#include "platform/sim/CodePageText.h"

namespace kestavo::sim {

std::u16string CodePageText::Decode(unsigned codePage, const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideSize);
    return std::u16string(wide.begin(), wide.end());
}

std::string CodePageText::Encode(unsigned codePage, const std::u16string& text) {
    if (text.empty()) {
        return {};
    }
    const std::wstring wide(text.begin(), text.end());
    const int wideSize = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(codePage, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wideSize, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace kestavo::sim
