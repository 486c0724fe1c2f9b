#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace kestavo::test {

// A picture of the test corpus, whole, as the simulated disk holds files.
inline std::string CorpusPicture(const std::string& name) {
    std::ifstream file(std::string(SETUP_TEST_CORPUS_DIR) + "/pictures/" + name, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

inline void PutLittle32(std::string& bytes, std::size_t at, unsigned value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// The header of a BMP of any size: enough for the size to be read, so a
// test can have a 10000 x 10000 picture without its pixels (a bitmap cut
// short, which is never decoded).
inline std::string BmpHeader(int width, int height) {
    std::string header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    PutLittle32(header, 2, 54);
    PutLittle32(header, 10, 54);
    PutLittle32(header, 14, 40);
    PutLittle32(header, 18, static_cast<unsigned>(width));
    PutLittle32(header, 22, static_cast<unsigned>(height));
    header[26] = 1;
    header[28] = 24;
    return header;
}

// A whole bitmap of any size in a few bytes: 8-bit run-length coded, with
// one colour, and nothing but the end of the bitmap in its two bytes of
// pixels, which leaves it blank.
inline std::string RleBitmap(int width, int height) {
    std::string bitmap = BmpHeader(width, height) + std::string("\0\0\0\0\0\x01", 6);
    PutLittle32(bitmap, 2, static_cast<unsigned>(bitmap.size()));
    PutLittle32(bitmap, 10, 58);
    bitmap[28] = 8;
    PutLittle32(bitmap, 30, 1);
    PutLittle32(bitmap, 34, 2);
    PutLittle32(bitmap, 46, 1);
    return bitmap;
}

}  // namespace kestavo::test
