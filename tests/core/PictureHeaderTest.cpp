#include "core/PictureHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace kestavo {
namespace {

bool TooLarge(const std::string& bytes) {
    return ClaimsTooManyPixels(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string Little(unsigned value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return text;
}

std::string Big16(unsigned value) {
    return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}

// File header, then an information header of 40 bytes, whose width and
// height are followed by planes and bits per pixel.
std::string Bitmap(int width, int height) {
    return "BM" + std::string(12, '\0') + Little(40, 4) + Little(width, 4) + Little(height, 4) +
           Little(1, 2) + Little(24, 2);
}

// The old header of 12 bytes has 16-bit sizes.
std::string OldBitmap(unsigned width, unsigned height) {
    return "BM" + std::string(12, '\0') + Little(12, 4) + Little(width, 2) + Little(height, 2) +
           Little(1, 2) + Little(24, 2);
}

std::string Gif(unsigned width, unsigned height) {
    return "GIF89a" + Little(width, 2) + Little(height, 2) + std::string("\xF7\0\0", 3);
}

// Start of image, a Huffman table segment whose bytes would read as a huge
// size, fill bytes, then a frame header of the given kind: length,
// precision, height, width.
std::string Jpeg(unsigned height, unsigned width, char frame = '\xC0') {
    return std::string("\xFF\xD8\xFF\xC4\x00\x10", 6) + std::string(14, '\xFF') + "\xFF\xFF\xFF" +
           frame + std::string("\x00\x11\x08", 3) + Big16(height) + Big16(width) + "\x03";
}

TEST(PictureHeaderTest, PicturesUpTo128MiPixelsAreDecodedLargerOnesRefused) {
    EXPECT_FALSE(TooLarge(Bitmap(10000, 10000)));
    EXPECT_FALSE(TooLarge(Bitmap(16384, -8192)));  // top-down
    EXPECT_TRUE(TooLarge(Bitmap(16384, -8193)));
    EXPECT_TRUE(TooLarge(Bitmap(30000, 30000)));
    EXPECT_FALSE(TooLarge(OldBitmap(640, 480)));
    EXPECT_TRUE(TooLarge(OldBitmap(65535, 65535)));
    EXPECT_FALSE(TooLarge(Gif(16384, 8192)));
    EXPECT_TRUE(TooLarge(Gif(16384, 8193)));
    EXPECT_FALSE(TooLarge(Jpeg(8192, 16384)));
    EXPECT_TRUE(TooLarge(Jpeg(8193, 16384)));
    EXPECT_TRUE(TooLarge(Jpeg(30000, 30000, '\xC2')));  // progressive
    EXPECT_TRUE(TooLarge(Jpeg(30000, 30000, '\xC9')));  // arithmetic coding
}

TEST(PictureHeaderTest, NegativeSizesAreRefused) {
    EXPECT_TRUE(TooLarge(Bitmap(-1, 1)));
    // The one top-down height without a positive twin.
    EXPECT_TRUE(TooLarge(Bitmap(1, -2147483647 - 1)));
}

TEST(PictureHeaderTest, HeadersCutShortOrUnknownClaimNothing) {
    const std::string jpeg = Jpeg(30000, 30000);
    for (std::size_t size = 0; size + 1 < jpeg.size(); ++size) {
        EXPECT_FALSE(TooLarge(jpeg.substr(0, size))) << size;
    }
    EXPECT_FALSE(TooLarge(Bitmap(30000, 30000).substr(0, 25)));
    EXPECT_FALSE(TooLarge(Gif(30000, 30000).substr(0, 9)));
    // A segment whose length points past the end ends the walk.
    EXPECT_FALSE(TooLarge(std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6) + Jpeg(30000, 30000)));
    EXPECT_FALSE(TooLarge("This is not a picture.\r\n"));
}

}  // namespace
}  // namespace kestavo
