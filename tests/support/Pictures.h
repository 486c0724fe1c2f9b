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

// The header of a BMP of any size: enough for the size to be read, so a
// test can have a 10000 x 10000 picture without its pixels.
inline std::string BmpHeader(int width, int height) {
    std::string header(54, '\0');
    const auto put32 = [&header](std::size_t at, unsigned value) {
        for (int i = 0; i < 4; ++i) {
            header[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    header[26] = 1;
    header[28] = 24;
    return header;
}

}  // namespace kestavo::test
