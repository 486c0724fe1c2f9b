#include "formats/PictureHeader.h"

#include <climits>

namespace kestavo {

namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::size_t kBmpCoreHeader = 12;
constexpr std::size_t kBmpInfoHeader = 40;
constexpr std::size_t kGifHeaderAndScreen = 13;

// The marker that starts a JPEG file, and those of the frame headers the
// system's decoder takes: baseline, extended and progressive Huffman coding.
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kFirstFrame = 0xC0;
constexpr unsigned kLastFrame = 0xC2;
constexpr unsigned kStartOfScan = 0xDA;
constexpr unsigned kEndOfImage = 0xD9;

// Length, precision, height and width: what a frame header must hold for
// its size to be read.
constexpr std::size_t kFrameSizeBytes = 7;

bool IsBitCount(unsigned bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The header sizes of the bitmap versions GDI reads: core, info, the two
// info headers with masks, and versions 4 and 5.
bool IsInfoHeaderSize(std::uint32_t size) {
    return size == kBmpInfoHeader || size == 52 || size == 56 || size == 108 || size == 124;
}

// SOF0 to SOF15, less the tables that share their numbers.
bool IsFrameMarker(unsigned marker) {
    return marker >= kFirstFrame && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
           marker != 0xCC;
}

bool IsGif(std::string_view bytes) {
    return bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a";
}

}  // namespace

std::optional<PictureSize> PictureHeader::ReadSize(std::string_view bytes) {
    if (bytes.substr(0, 2) == "BM") {
        return ReadBmpSize(bytes);
    }
    if (IsGif(bytes)) {
        return ReadGifSize(bytes);
    }
    if (Byte(bytes, 0) == 0xFF && Byte(bytes, 1) == kStartOfImage) {
        return ReadJpegSize(bytes);
    }
    return std::nullopt;
}

// A bottom-up bitmap has a positive height, a top-down one a negative one;
// a negative width, read as a number above 2^31, is refused. A bitmap with
// the old 12-byte header has 16-bit sizes. A GIF's logical screen holds
// every frame of the file.
bool PictureHeader::ClaimsTooManyPixels(std::string_view bytes) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (Byte(bytes, 0) == 'B' && Byte(bytes, 1) == 'M' &&
        bytes.size() >= kBmpFileHeader + kBmpCoreHeader) {
        const bool old = Little32(bytes, kBmpFileHeader) == kBmpCoreHeader;
        width = old ? Little16(bytes, 18) : Little32(bytes, 18);
        height = old ? Little16(bytes, 20) : Little32(bytes, 22);
        height = height > 0x80000000u ? 0u - height : height;
    } else if (Byte(bytes, 0) == 'G' && Byte(bytes, 1) == 'I' && Byte(bytes, 2) == 'F' &&
               bytes.size() >= 10) {
        width = Little16(bytes, 6);
        height = Little16(bytes, 8);
    } else if (const std::size_t frame = FindJpegFrame(bytes)) {
        width = Big16(bytes, frame + 5);
        height = Big16(bytes, frame + 3);
    }
    return height != 0 && width > kMaxPixels / height;
}

PictureRefusal PictureHeader::Refusal(std::string_view bytes) {
    if (ClaimsTooManyPixels(bytes)) {
        return PictureRefusal::TooManyPixels;
    }
    return IsCutShort(bytes) ? PictureRefusal::CutShort : PictureRefusal::None;
}

bool PictureHeader::IsCutShort(std::string_view bytes) {
    return Byte(bytes, 0) == 'B' && Byte(bytes, 1) == 'M' &&
           (bytes.size() < kBmpFileHeader + kBmpCoreHeader ||
            bytes.size() - kBmpFileHeader < Little32(bytes, kBmpFileHeader));
}

// A core header holds unsigned 16-bit dimensions; the later ones signed
// 32-bit dimensions, a negative height for rows stored top-down.
std::optional<PictureSize> PictureHeader::ReadBmpSize(std::string_view bytes) {
    if (bytes.size() < kBmpFileHeader + kBmpCoreHeader) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = Little32(bytes, kBmpFileHeader);
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
    if (bytes.size() < kGifHeaderAndScreen) {
        return std::nullopt;
    }
    return Positive(Little16(bytes, 6), Little16(bytes, 8));
}

// A frame of another coding than the decoder's gives nothing.
std::optional<PictureSize> PictureHeader::ReadJpegSize(std::string_view bytes) {
    const std::size_t frame = FindJpegFrame(bytes);
    if (frame == 0 || Byte(bytes, frame - 1) > kLastFrame ||
        frame + Big16(bytes, frame) > bytes.size()) {
        return std::nullopt;
    }
    return ReadFrameHeader(bytes.substr(frame, Big16(bytes, frame)));
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

// Segments are passed over by their lengths up to the first frame header,
// each marker after any number of fill bytes 0xFF; the tables among them
// are never parsed. Gives the offset of the frame header's length, or 0
// for a scan or the end of the image before any frame header, a segment
// running past the end, or a frame header too short to hold a size. The
// frame header itself may be cut after the size: a decoder that reads
// headers first still takes the size from it.
std::size_t PictureHeader::FindJpegFrame(std::string_view bytes) {
    if (Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != kStartOfImage) {
        return 0;
    }
    std::size_t at = 2;
    for (;;) {
        if (Byte(bytes, at) != 0xFF) {
            return 0;
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
            return 0;
        }
        const std::size_t length = Big16(bytes, at);
        if (IsFrameMarker(marker)) {
            return length >= kFrameSizeBytes && at + kFrameSizeBytes <= bytes.size() ? at : 0;
        }
        if (length < 2 || at + length > bytes.size()) {
            return 0;
        }
        at += length;
    }
}

// Past the end of the bytes reads 0x100, which no byte equals.
unsigned PictureHeader::Byte(std::string_view bytes, std::size_t at) {
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0x100u;
}

unsigned PictureHeader::Little16(std::string_view bytes, std::size_t at) {
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

std::uint32_t PictureHeader::Little32(std::string_view bytes, std::size_t at) {
    return Little16(bytes, at) | static_cast<std::uint32_t>(Little16(bytes, at + 2)) << 16;
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

}  // namespace kestavo
