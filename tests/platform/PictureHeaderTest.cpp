#include "platform/sim/PictureHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Pictures.h"

namespace kestavo::sim {
namespace {

using test::BmpHeader;
using test::CorpusPicture;

std::string ExamplePicture(const std::string& name) {
    std::ifstream file(std::string(SETUP_TEST_CORPUS_DIR) + "/../../examples/setup/" + name,
                       std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string SizeOf(const std::string& bytes) {
    const auto size = PictureHeader::ReadSize(bytes);
    return size ? std::to_string(size->width) + " x " + std::to_string(size->height) : "none";
}

// Every real picture gives its size, and each of its prefixes either its
// size (the header is whole) or nothing: never another size.
TEST(PictureHeaderTest, RealPicturesGiveTheirSizeAndTheirPrefixesNoOtherSize) {
    const struct {
        std::string bytes;
        std::string size;
        std::size_t header;
    } pictures[] = {
        {CorpusPicture("small16x8.bmp"), "16 x 8", 54},
        {CorpusPicture("logo300x200.gif"), "300 x 200", 13},
        {CorpusPicture("photo301x201.jpg"), "301 x 201", 177},
        {ExamplePicture("setup.bmp"), "400 x 240", 54},
        {ExamplePicture("logo.bmp"), "160 x 60", 54},
        {ExamplePicture("images/one.gif"), "300 x 160", 13},
        {BmpHeader(10000, -10000), "10000 x 10000", 54},
    };
    for (const auto& picture : pictures) {
        EXPECT_EQ(picture.size, SizeOf(picture.bytes));
        for (std::size_t length = 0; length < picture.bytes.size(); ++length) {
            EXPECT_EQ(length < picture.header ? "none" : picture.size,
                      SizeOf(picture.bytes.substr(0, length)))
                << picture.size << " cut at " << length;
        }
    }
}

// The first JPEG's Huffman table counts more codes than any table holds; the
// next ones break the corpus photo's 12-bit samples, an arithmetic-coded frame
// and a table segment running past the end of the file.
TEST(PictureHeaderTest, MalformedHeadersGiveNoSize) {
    const std::string jpeg = CorpusPicture("photo301x201.jpg");
    const std::size_t frame = 158;
    std::string twelveBit = jpeg;
    twelveBit[frame + 4] = 12;
    std::string arithmetic = jpeg;
    arithmetic[frame + 1] = '\xC9';
    std::string overlong = jpeg;
    overlong[20 + 2] = '\x7F';
    const std::vector<std::string> malformed = {
        std::string("\xFF\xD8\xFF\xC4\x00\x13\x00", 7) + std::string(16, '\xFF'),
        twelveBit,
        arithmetic,
        overlong,
        std::string("\xFF\xD8\xFF\xDA\x00\x02", 6),
        BmpHeader(0, 5),
        BmpHeader(5, 0),
        BmpHeader(-5, 5),
        BmpHeader(5, INT32_MIN),
        std::string("GIF89a\x00\x00\x10\x00\x00\x00\x00", 13),
        "GIF90a" + std::string(7, '\x01'),
        "just text",
    };
    for (std::size_t i = 0; i < malformed.size(); ++i) {
        EXPECT_EQ("none", SizeOf(malformed[i])) << "case " << i;
    }
}

}  // namespace
}  // namespace kestavo::sim
