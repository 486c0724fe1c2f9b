// Windows' own converter, through UTF-16: the characters are those the
// machine itself shows for the bytes.
#include <windows.h>

#include <string>

#include "vendortools/CodePage.h"

namespace kestavo::vendortools {

std::string CodePage::ToUtf8(const std::string& bytes) const {
    if (bytes.empty()) {
        return bytes;
    }
    const int size = static_cast<int>(bytes.size());
    const int wideSize = MultiByteToWideChar(m_number, 0, bytes.data(), size, nullptr, 0);
    if (wideSize == 0) {
        return bytes;
    }
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(m_number, 0, bytes.data(), size, wide.data(), wideSize);
    const int utf8Size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), utf8Size, nullptr, nullptr);
    return utf8;
}

}  // namespace kestavo::vendortools
