// The C library's converter: glibc knows every ANSI code page as "CPnnnn".
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "vendortools/CodePage.h"

namespace kestavo::vendortools {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

class Converter {
public:
    explicit Converter(unsigned codePage)
        : m_handle(iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str())),
          m_open(m_handle != kNotOpen) {}
    ~Converter() {
        if (m_open) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // A byte the code page gives no character, or a lead byte without its
    // second, becomes U+FFFD, and the conversion goes on after it.
    std::string Convert(const std::string& bytes) {
        // A C library without the code page's table leaves the bytes as
        // they are.
        if (!m_open) {
            return bytes;
        }
        std::string utf8;
        std::string input = bytes;
        char* in = input.data();
        std::size_t inLeft = input.size();
        char buffer[256];
        while (inLeft != 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t done = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            utf8.append(buffer, static_cast<std::size_t>(out - buffer));
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                utf8 += kReplacement;
                ++in;
                --inLeft;
            }
        }
        Flush(utf8);
        return utf8;
    }

private:
    // Code page 1258 holds back a letter that a combining accent may follow.
    void Flush(std::string& utf8) {
        char buffer[16];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_handle, nullptr, nullptr, &out, &outLeft);
        utf8.append(buffer, static_cast<std::size_t>(out - buffer));
    }

    static inline const iconv_t kNotOpen = reinterpret_cast<iconv_t>(std::intptr_t{-1});

    iconv_t m_handle;
    bool m_open;
};

}  // namespace

std::string CodePage::ToUtf8(const std::string& bytes) const {
    return Converter(m_number).Convert(bytes);
}

}  // namespace kestavo::vendortools
