#include "platform/win32/Win32BstrText.h"

namespace kestavo::win32 {

std::string AnsiFromBstr(BSTR text) {
    const int wideLength = static_cast<int>(SysStringLen(text));
    if (wideLength == 0) {
        return std::string();
    }
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wideLength, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

BSTR BstrFromAnsi(const std::string& text) {
    const int ansiLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, nullptr, 0);
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (wide != nullptr) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, wide, length);
    }
    return wide;
}

}  // namespace kestavo::win32
