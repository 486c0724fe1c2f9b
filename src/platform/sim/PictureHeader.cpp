#include "platform/sim/PictureHeader.h"

#include <climits>
#include <cstdint>

namespace kestavo::sim {

namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::size_t kBmpCoreHeader = 12;
constexpr std::size_t kBmpInfoHeader = 40;

// The marker that starts a JPEG file, and those of the frame headers the
// system's decoder takes: baseline, extended and progressive Huffman coding.
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kFirstFrame = 0xC0;
constexpr unsigned kLastFrame = 0xC2;
constexpr unsigned kStartOfScan = 0xDA;
constexpr unsigned kEndOfImage = 0xD9;

bool IsBitCount(unsigned bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The header sizes of the bitmap versions GDI reads: core, info, the two
// info headers with masks, and versions 4 and 5.
bool IsInfoHeaderSize(unsigned long size) {
    return size == kBmpInfoHeader || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

std::optional<PictureSize> PictureHeader::ReadSize(std::string_view bytes) {
    if (bytes.substr(0, 2) == "BM") {
        return ReadBmpSize(bytes);
    }
    if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a") {
        return ReadGifSize(bytes);
    }
    if (Byte(bytes, 0) == 0xFF && Byte(bytes, 1) == kStartOfImage) {
        return ReadJpegSize(bytes);
    }
    return std::nullopt;
}

// A core header holds unsigned 16-bit dimensions; the later ones signed
// 32-bit dimensions, a negative height for rows stored top-down.
std::optional<PictureSize> PictureHeader::ReadBmpSize(std::string_view bytes) {
    if (bytes.size() < kBmpFileHeader + kBmpCoreHeader) {
        return std::nullopt;
    }
    const unsigned long headerSize = Little32(bytes, kBmpFileHeader);
    if (headerSize == kBmpCoreHeader) {
        if (Little16(bytes, 22) != 1 || !IsBitCount(Little16(bytes, 24))) {
            return std::nullopt;
        }
        return Positive(Little16(bytes, 18), Little16(bytes, 20));
    }
    if (!IsInfoHeaderSize(headerSize) || bytes.size() < kBmpFileHeader + kBmpInfoHeader ||
        Little16(bytes, 26) != 1 || !IsBitCount(Little16(bytes, 28))) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(Little32(bytes, 18));
    const auto height = static_cast<std::int32_t>(Little32(bytes, 22));
    return Positive(width, height < 0 ? -static_cast<long long>(height) : height);
}

// The logical screen's size, which the picture takes whatever its frames.
std::optional<PictureSize> PictureHeader::ReadGifSize(std::string_view bytes) {
    constexpr std::size_t kHeaderAndScreen = 13;
    if (bytes.size() < kHeaderAndScreen) {
        return std::nullopt;
    }
    return Positive(Little16(bytes, 6), Little16(bytes, 8));
}

// Segments are passed over by their lengths up to the first frame header;
// the tables among them are never parsed. A scan or the end of the image
// before any frame header, or a frame of another coding, gives nothing.
std::optional<PictureSize> PictureHeader::ReadJpegSize(std::string_view bytes) {
    std::size_t at = 2;
    for (;;) {
        if (Byte(bytes, at) != 0xFF) {
            return std::nullopt;
        }
        while (Byte(bytes, at) == 0xFF) {
            ++at;
        }
        const unsigned marker = Byte(bytes, at++);
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            continue;
        }
        if (marker < kFirstFrame || marker == kStartOfScan || marker == kEndOfImage ||
            marker == 0x100 || at + 2 > bytes.size()) {
            return std::nullopt;
        }
        const std::size_t length = Big16(bytes, at);
        if (length < 2 || at + length > bytes.size()) {
            return std::nullopt;
        }
        if (marker >= kFirstFrame && marker <= 0xCF && marker != 0xC4 && marker != 0xCC) {
            return marker <= kLastFrame ? ReadFrameHeader(bytes.substr(at, length)) : std::nullopt;
        }
        at += length;
    }
}

// Length, precision, height, width, then three bytes for each component:
// 8-bit samples in one to four components.
std::optional<PictureSize> PictureHeader::ReadFrameHeader(std::string_view segment) {
    const unsigned components = Byte(segment, 7);
    if (Byte(segment, 2) != 8 || components < 1 || components > 4 ||
        segment.size() != 8 + 3 * components) {
        return std::nullopt;
    }
    return Positive(Big16(segment, 5), Big16(segment, 3));
}

// Past the end of the bytes reads 0x100, which no byte equals.
unsigned PictureHeader::Byte(std::string_view bytes, std::size_t at) {
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0x100u;
}

unsigned PictureHeader::Little16(std::string_view bytes, std::size_t at) {
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

unsigned long PictureHeader::Little32(std::string_view bytes, std::size_t at) {
    return Little16(bytes, at) | static_cast<unsigned long>(Little16(bytes, at + 2)) << 16;
}

unsigned PictureHeader::Big16(std::string_view bytes, std::size_t at) {
    return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

std::optional<PictureSize> PictureHeader::Positive(long long width, long long height) {
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) {
        return std::nullopt;
    }
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace kestavo::sim
