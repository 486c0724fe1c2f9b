#include "formats/PictureHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Pictures.h"

namespace kestavo {
namespace {

using test::BmpHeader;
using test::CorpusPicture;
using test::RleBitmap;

bool TooLarge(const std::string& bytes) {
    return PictureHeader::ClaimsTooManyPixels(bytes);
}

std::string SizeOf(const std::string& bytes) {
    const auto size = PictureHeader::ReadSize(bytes);
    return size ? std::to_string(size->width) + " x " + std::to_string(size->height) : "none";
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

// The old header of 12 bytes has 16-bit sizes.
std::string OldBitmap(unsigned width, unsigned height) {
    return "BM" + std::string(12, '\0') + Little(12, 4) + Little(width, 2) + Little(height, 2) +
           Little(1, 2) + Little(24, 2);
}

std::string Gif(unsigned width, unsigned height) {
    return "GIF89a" + Little(width, 2) + Little(height, 2) + std::string("\xF7\0\0", 3);
}

// A screen with a global colour table of two colours, a graphic control
// extension, then the first image's descriptor.
std::string GifWithImage(unsigned screen, unsigned width, unsigned height) {
    return "GIF89a" + Little(screen, 2) + Little(screen, 2) + std::string("\x80\0\0", 3) +
           std::string(6, '\xFF') + std::string("\x21\xF9\x04\0\0\0\0\0\x2C", 9) +
           std::string(4, '\0') + Little(width, 2) + Little(height, 2) + std::string(1, '\0');
}

// The corpus photo claiming another size, with bytes put before its frame
// header (at 158): decoders pass them over with a warning.
std::string PhotoWithStrayBytes(const std::string& stray, unsigned height, unsigned width) {
    std::string photo = CorpusPicture("photo301x201.jpg");
    photo.replace(163, 4, Big16(height) + Big16(width));
    return photo.insert(158, stray);
}

std::string Patched(std::string bytes, std::size_t at, const std::string& field) {
    return bytes.replace(at, field.size(), field);
}

// Start of image, a Huffman table segment whose bytes would read as a huge
// size, fill bytes, then a frame header of the given kind: length,
// precision, height, width.
std::string Jpeg(unsigned height, unsigned width, char frame = '\xC0') {
    return std::string("\xFF\xD8\xFF\xC4\x00\x10", 6) + std::string(14, '\xFF') + "\xFF\xFF\xFF" +
           frame + std::string("\x00\x11\x08", 3) + Big16(height) + Big16(width) + "\x03";
}

TEST(PictureHeaderTest, PicturesUpTo128MiPixelsAreDecodedLargerOnesRefused) {
    EXPECT_FALSE(TooLarge(BmpHeader(10000, 10000)));
    EXPECT_FALSE(TooLarge(BmpHeader(16384, -8192)));  // top-down
    EXPECT_TRUE(TooLarge(BmpHeader(16384, -8193)));
    EXPECT_TRUE(TooLarge(BmpHeader(30000, 30000)));
    EXPECT_FALSE(TooLarge(OldBitmap(640, 480)));
    EXPECT_TRUE(TooLarge(OldBitmap(65535, 65535)));
    EXPECT_FALSE(TooLarge(Gif(16384, 8192)));
    EXPECT_TRUE(TooLarge(Gif(16384, 8193)));
    EXPECT_FALSE(TooLarge(Jpeg(8192, 16384)));
    EXPECT_TRUE(TooLarge(Jpeg(8193, 16384)));
    EXPECT_TRUE(TooLarge(Jpeg(30000, 30000, '\xC2')));  // progressive
    EXPECT_TRUE(TooLarge(Jpeg(30000, 30000, '\xC9')));  // arithmetic coding
    // Decoders size a GIF by its screen or by its first image.
    EXPECT_FALSE(TooLarge(GifWithImage(1, 16384, 8192)));
    EXPECT_TRUE(TooLarge(GifWithImage(1, 16384, 8193)));
    EXPECT_TRUE(TooLarge(GifWithImage(1, 30000, 30000)));
}

// So is an application segment whose length cannot count its own bytes:
// decoders pass its two length bytes alone.
TEST(PictureHeaderTest, BytesBeforeAJpegMarkerArePassedOverAsDecodersPassThemOver) {
    for (const std::string& stray :
         {std::string(1, '\0'), std::string("\xFF\0", 2), std::string("\xFF\0\xFF\xFF\0x", 6),
          std::string("junk"), std::string("\xFF\xE1\0\0", 4)}) {
        EXPECT_TRUE(TooLarge(PhotoWithStrayBytes(stray, 30000, 30000)));
        EXPECT_EQ("301 x 201", SizeOf(PhotoWithStrayBytes(stray, 201, 301)));
    }
}

TEST(PictureHeaderTest, NegativeSizesAreRefused) {
    EXPECT_TRUE(TooLarge(BmpHeader(-1, 1)));
    // The one top-down height without a positive twin.
    EXPECT_TRUE(TooLarge(BmpHeader(1, -2147483647 - 1)));
}

TEST(PictureHeaderTest, HeadersCutShortOrUnknownClaimNothing) {
    const std::string jpeg = Jpeg(30000, 30000);
    for (std::size_t size = 0; size + 1 < jpeg.size(); ++size) {
        EXPECT_FALSE(TooLarge(jpeg.substr(0, size))) << size;
    }
    EXPECT_FALSE(TooLarge(BmpHeader(30000, 30000).substr(0, 25)));
    EXPECT_FALSE(TooLarge(Gif(30000, 30000).substr(0, 9)));
    // A segment whose length points past the end ends the walk.
    EXPECT_FALSE(TooLarge(std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6) + Jpeg(30000, 30000)));
    EXPECT_FALSE(TooLarge("This is not a picture.\r\n"));

    EXPECT_FALSE(PictureHeader::IsCutShort(Gif(1, 1).substr(0, 9)));
}

// Every prefix of a whole bitmap is cut short, in its headers or in its
// rows; so is one whose pixels or colour table the file cannot hold.
TEST(PictureHeaderTest, BitmapsWhosePartsLiePastTheEndAreCutShortAndRefused) {
    const std::string bmp = CorpusPicture("small16x8.bmp");
    for (std::size_t size = 0; size <= bmp.size(); ++size) {
        EXPECT_EQ(size >= 2 && size < bmp.size(), PictureHeader::IsCutShort(bmp.substr(0, size)))
            << size;
    }
    const std::string oneByOne = BmpHeader(1, 1) + std::string(4, '\0');
    const std::string eightBit = Patched(BmpHeader(4, -2), 28, Little(8, 2)) + std::string(8, '\0');
    const std::string masked = Patched(BmpHeader(2, 1), 28, Little(16, 2) + Little(3, 4));
    const std::string old = Patched(OldBitmap(2, 2), 10, Little(26, 4));
    const std::string rle =
        Patched(Patched(BmpHeader(4, 1), 28, Little(8, 2) + Little(1, 4)), 46, Little(1, 4));
    const std::string whole[] = {
        bmp,
        old + std::string(16, '\0'),
        BmpHeader(16, -8) + bmp.substr(54),
        Patched(eightBit, 10, Little(54 + 1024, 4)).insert(54, 1024, '\0'),
        Patched(Patched(eightBit, 10, Little(62, 4)), 46, Little(2, 4)).insert(54, 8, '\0'),
        Patched(masked, 10, Little(66, 4)) + std::string(12 + 4, '\0'),
        RleBitmap(10000, 10000),
    };
    for (const std::string& picture : whole) {
        EXPECT_EQ(PictureRefusal::None, PictureHeader::Refusal(picture)) << picture.size();
    }
    const std::string cut[] = {
        Patched(oneByOne, 10, Little(0x7FFFFFF0, 4)),
        Patched(oneByOne, 10, Little(55, 4)),
        BmpHeader(16, -8) + bmp.substr(55),
        old + std::string(15, '\0'),
        eightBit,
        Patched(eightBit, 46, Little(0x40000000, 4)),
        Patched(masked, 10, Little(54, 4)) + std::string(4, '\0'),
        Patched(RleBitmap(4, 1), 34, Little(3, 4)),
        Patched(oneByOne, 14, Little(0xFFFFFFFF, 4)),
    };
    for (const std::string& picture : cut) {
        EXPECT_NE(PictureRefusal::None, PictureHeader::Refusal(picture)) << picture.size();
    }
}

// Why a file never reaches the decoder, its claim before its length; what
// is no picture at all is the decoder's to refuse.
TEST(PictureHeaderTest, RefusalSaysWhyAFileNeverReachesTheDecoder) {
    EXPECT_EQ(PictureRefusal::TooManyPixels,
              PictureHeader::Refusal(BmpHeader(30000, 30000).substr(0, 30)));
    EXPECT_EQ(PictureRefusal::CutShort, PictureHeader::Refusal(BmpHeader(5, 3).substr(0, 30)));
    EXPECT_EQ(PictureRefusal::None, PictureHeader::Refusal(RleBitmap(5, 3)));
    EXPECT_EQ(PictureRefusal::None, PictureHeader::Refusal("This is not a picture.\r\n"));
}

std::string ExamplePicture(const std::string& name) {
    std::ifstream file(std::string(SETUP_TEST_CORPUS_DIR) + "/../../examples/setup/" + name,
                       std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Every real picture gives its size, and each of its prefixes either its
// size (the headers are whole, up to a JPEG's first scan) or nothing: never
// another size.
TEST(PictureHeaderTest, RealPicturesGiveTheirSizeAndTheirPrefixesNoOtherSize) {
    const struct {
        std::string bytes;
        std::string size;
        std::size_t header;
    } pictures[] = {
        {CorpusPicture("small16x8.bmp"), "16 x 8", 54},
        {CorpusPicture("logo300x200.gif"), "300 x 200", 13},
        {CorpusPicture("photo301x201.jpg"), "301 x 201", 281},
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
// and a table segment running past the end of the file; then its headers end
// before its first scan, as decoders refuse them, and a scan comes first.
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
        jpeg.substr(0, 177) + "\xFF\xD9",
        jpeg.substr(0, 177) + "\xFF\xDA\x00\x0C\x03",
        std::string("\xFF\xD8\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 12),
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
}  // namespace kestavo
