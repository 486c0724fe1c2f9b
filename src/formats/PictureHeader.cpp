#include "formats/PictureHeader.h"

#include <algorithm>
#include <climits>

namespace kestavo {

namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::size_t kBmpCoreHeader = 12;
constexpr std::size_t kBmpInfoHeader = 40;
constexpr std::size_t kGifHeaderAndScreen = 13;

// Where the pixels start, and the compressions whose pixels are rows of
// the bitmap's width: none, and three colour masks.
constexpr std::size_t kBmpPixelOffset = 10;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;

// The blocks a GIF decoder reads before the first image: extensions, each
// of sub-blocks up to an empty one, then the image descriptor, whose width
// and height end 9 bytes after its introducer.
constexpr unsigned kGifExtension = 0x21;
constexpr unsigned kGifImage = 0x2C;
constexpr std::size_t kGifImageSizeEnd = 9;

// The marker that starts a JPEG file, and those of the frame headers the
// system's decoder takes: baseline, extended and progressive Huffman coding.
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kLastFrame = 0xC2;
constexpr unsigned kStartOfScan = 0xDA;

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

// The markers of segments with a length that libjpeg-style decoders read,
// as bits from 0xC0: frame headers (SOF0 to SOF15, less the reserved 0xC8),
// Huffman, arithmetic-coding, quantization and restart tables, DNL,
// application data and comments. Any other marker ends their walk.
constexpr std::uint64_t kKnownSegments = 0x4000FFFF3800FEFFull;
// Those of them that are frame headers: the 0xC0 row less the tables.
constexpr std::uint32_t kFrameHeaders = 0xEEEF;

bool IsKnownSegment(unsigned marker) {
    const unsigned bit = marker - 0xC0;
    return bit < 64 && (kKnownSegments >> bit & 1) != 0;
}

bool IsFrameMarker(unsigned marker) {
    const unsigned bit = marker - 0xC0;
    return bit < 16 && (kFrameHeaders >> bit & 1) != 0;
}

// Restart markers and TEM stand alone, without a length.
bool IsStandAloneMarker(unsigned marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

bool IsGif(std::string_view bytes) {
    return bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a";
}

}  // namespace

// What GDI reads from a bitmap's headers, those of the old header put
// where the later ones have them: 16-bit sizes, no compression, and three
// bytes for each colour of the table. A bottom-up bitmap has a positive
// height, a top-down one a negative one; a negative width reads as a
// number above 2^31, which no file holds.
struct PictureHeader::BmpLayout {
    std::uint32_t headerSize = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t compressedSize = 0;
    std::uint32_t coloursUsed = 0;
    std::size_t colourSize = 3;
};

std::optional<PictureSize> PictureHeader::ReadSize(std::string_view bytes) {
    if (IsBmp(bytes)) {
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

bool PictureHeader::ClaimsTooManyPixels(std::string_view bytes) {
    if (IsBmp(bytes)) {
        return BmpClaimsTooManyPixels(ReadBmpLayout(bytes), bytes.size());
    }
    return GifClaimsTooManyPixels(bytes) || JpegClaimsTooManyPixels(bytes);
}

PictureRefusal PictureHeader::Refusal(std::string_view bytes) {
    if (ClaimsTooManyPixels(bytes)) {
        return PictureRefusal::TooManyPixels;
    }
    return IsCutShort(bytes) ? PictureRefusal::CutShort : PictureRefusal::None;
}

bool PictureHeader::IsCutShort(std::string_view bytes) {
    return IsBmp(bytes) && BmpIsCutShort(ReadBmpLayout(bytes), bytes.size());
}

bool PictureHeader::BmpClaimsTooManyPixels(const BmpLayout& layout, std::size_t size) {
    return size >= kBmpFileHeader + kBmpCoreHeader && Exceeds(layout.width, layout.height);
}

bool PictureHeader::BmpIsCutShort(const BmpLayout& layout, std::size_t size) {
    return size < kBmpFileHeader + kBmpCoreHeader || layout.headerSize > size - kBmpFileHeader ||
           !BmpColourTableFits(layout, size) || !BmpPixelsFit(layout, size);
}

// Decoders take the size of the logical screen or of the first image,
// depending on the decoder, so neither may be too large.
bool PictureHeader::GifClaimsTooManyPixels(std::string_view bytes) {
    if (bytes.size() < 10 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F') {
        return false;
    }
    const std::size_t image = FindGifImage(bytes);
    return Exceeds(Little16(bytes, 6), Little16(bytes, 8)) ||
           (image != 0 && Exceeds(Little16(bytes, image + 5), Little16(bytes, image + 7)));
}

bool PictureHeader::JpegClaimsTooManyPixels(std::string_view bytes) {
    std::size_t scan = 0;
    const std::size_t frame = FindJpegFrame(bytes, scan);
    return frame != 0 && Exceeds(Big16(bytes, frame + 5), Big16(bytes, frame + 3));
}

bool PictureHeader::Exceeds(std::uint32_t width, std::uint32_t height) {
    return height != 0 && width > kMaxPixels / height;
}

// A core header holds unsigned 16-bit dimensions; the later ones signed
// 32-bit dimensions, a negative height for rows stored top-down.
std::optional<PictureSize> PictureHeader::ReadBmpSize(std::string_view bytes) {
    if (bytes.size() < kBmpFileHeader + kBmpCoreHeader) {
        return std::nullopt;
    }
    if (Little32(bytes, kBmpFileHeader) == kBmpCoreHeader) {
        if (Little16(bytes, 22) != 1 || !IsBitCount(Little16(bytes, 24))) {
            return std::nullopt;
        }
        return Positive(Little16(bytes, 18), Little16(bytes, 20));
    }
    if (!IsInfoHeaderSize(Little32(bytes, kBmpFileHeader)) ||
        bytes.size() < kBmpFileHeader + kBmpInfoHeader || Little16(bytes, 26) != 1 ||
        !IsBitCount(Little16(bytes, 28))) {
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

// A frame of another coding than the decoder's gives nothing, and so do
// headers that end before the first scan: the decoder reads up to it
// before it gives a picture.
std::optional<PictureSize> PictureHeader::ReadJpegSize(std::string_view bytes) {
    std::size_t scan = 0;
    const std::size_t frame = FindJpegFrame(bytes, scan);
    if (scan == 0 || Byte(bytes, frame - 1) > kLastFrame || !IsScanHeader(bytes, scan)) {
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

// A later header's fields past the end of a file too short to hold them
// read as nonsense: such a file is cut short whatever they say, its colour
// table starting past its end.
PictureHeader::BmpLayout PictureHeader::ReadBmpLayout(std::string_view bytes) {
    BmpLayout layout;
    layout.headerSize = Little32(bytes, kBmpFileHeader);
    layout.pixelOffset = Little32(bytes, kBmpPixelOffset);
    if (layout.headerSize == kBmpCoreHeader) {
        layout.width = Little16(bytes, 18);
        layout.height = Little16(bytes, 20);
        layout.bits = Little16(bytes, 24);
        return layout;
    }
    const std::uint32_t height = Little32(bytes, 22);
    layout.width = Little32(bytes, 18);
    layout.height = height > 0x80000000u ? 0u - height : height;
    layout.bits = Little16(bytes, 28);
    layout.compression = Little32(bytes, 30);
    layout.compressedSize = Little32(bytes, 34);
    layout.coloursUsed = Little32(bytes, 46);
    layout.colourSize = 4;
    return layout;
}

// The colour table as GDI reads it, after the header (and the masks that
// follow an info header): the colours the header counts, or else every
// colour of up to 8 bits a pixel. The header itself is in the file.
bool PictureHeader::BmpColourTableFits(const BmpLayout& layout, std::size_t size) {
    const std::size_t masks = layout.compression == kBiBitFields ? 12 : 0;
    const std::size_t start =
        kBmpFileHeader + std::max<std::size_t>(layout.headerSize, layout.colourSize == 3
                                                                      ? kBmpCoreHeader
                                                                      : kBmpInfoHeader + masks);
    const std::uint32_t colours = layout.coloursUsed != 0 ? layout.coloursUsed
                                  : layout.bits <= 8      ? 1u << layout.bits
                                                          : 0u;
    return start <= size && (size - start) / layout.colourSize >= colours;
}

// From where the file header puts them, whatever lies between: rows of
// the width, each a whole number of 32-bit words, when uncompressed or
// masked; as many bytes as the header counts when compressed, which the
// decoder reads whatever they hold.
bool PictureHeader::BmpPixelsFit(const BmpLayout& layout, std::size_t size) {
    if (layout.pixelOffset > size) {
        return false;
    }
    const std::size_t available = size - layout.pixelOffset;
    if (layout.compression != kBiRgb && layout.compression != kBiBitFields) {
        return available >= layout.compressedSize;
    }
    const std::uint64_t row = (std::uint64_t{layout.width} * layout.bits + 31) / 32 * 4;
    return row == 0 ||
           (row <= available && available / static_cast<std::size_t>(row) >= layout.height);
}

// The offset of the first image descriptor, after the global colour table
// and the extensions before it; 0 when the file ends first or another
// block comes first, where decoders stop too.
std::size_t PictureHeader::FindGifImage(std::string_view bytes) {
    const unsigned flags = Byte(bytes, 10);
    std::size_t at = kGifHeaderAndScreen + ((flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0u);
    while (Byte(bytes, at) == kGifExtension) {
        at += 2;
        while (at < bytes.size() && Byte(bytes, at) != 0) {
            at += Byte(bytes, at) + 1;
        }
        ++at;
    }
    return Byte(bytes, at) == kGifImage && at + kGifImageSizeEnd <= bytes.size() ? at : 0;
}

// The markers are walked up to the first scan as libjpeg-style decoders
// (Windows' and Wine's) walk them: segments passed over by their lengths,
// one whose length cannot count its own two bytes by those two bytes, as
// application data is, the tables never parsed; and the walk ends where
// such a decoder ends with an error: a second start of image or frame
// header, a marker it does not know, the end of the image or of the file,
// a segment running past the end. Gives the offset of the first frame
// header's length once its size can be read, or 0; and in `scan` the
// offset of the length of a scan header after it, or 0. The frame header
// may be cut after the size: a decoder that reads headers first already
// has the size from it.
std::size_t PictureHeader::FindJpegFrame(std::string_view bytes, std::size_t& scan) {
    if (Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != kStartOfImage) {
        return 0;
    }
    std::size_t frame = 0;
    std::size_t at = 2;
    for (;;) {
        const unsigned marker = NextJpegMarker(bytes, at);
        if (IsStandAloneMarker(marker)) {
            continue;
        }
        if (marker == kStartOfScan) {
            scan = frame != 0 ? at : 0;
            return frame;
        }
        if (!IsKnownSegment(marker) || at + 2 > bytes.size() ||
            (IsFrameMarker(marker) && frame != 0)) {
            return frame;
        }
        if (IsFrameMarker(marker) && at + kFrameSizeBytes <= bytes.size()) {
            frame = at;
        }
        at += std::max<std::size_t>(Big16(bytes, at), 2);
        if (at > bytes.size()) {
            return frame;
        }
    }
}

// Bytes other than 0xFF before a marker, and 0xFF followed by 0 (a stuffed
// byte of coded data), are passed over as decoders pass them over, with a
// warning; any number of fill bytes 0xFF may stand before the marker.
// Gives the marker, or 0x100 at the end of the file.
unsigned PictureHeader::NextJpegMarker(std::string_view bytes, std::size_t& at) {
    for (;;) {
        while (at < bytes.size() && Byte(bytes, at) != 0xFF) {
            ++at;
        }
        while (Byte(bytes, at) == 0xFF) {
            ++at;
        }
        const unsigned marker = Byte(bytes, at);
        if (marker != 0) {
            ++at;
            return marker;
        }
    }
}

// Length, the number of components (one to four), two bytes for each, and
// three for the spectral selection and approximation, all in the file.
bool PictureHeader::IsScanHeader(std::string_view bytes, std::size_t at) {
    const unsigned components = Byte(bytes, at + 2);
    return components >= 1 && components <= 4 && Big16(bytes, at) == 6 + 2 * components &&
           at + 6 + 2 * components <= bytes.size();
}

bool PictureHeader::IsBmp(std::string_view bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
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
