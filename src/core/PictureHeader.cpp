#include "core/PictureHeader.h"

#include <algorithm>
#include <climits>

namespace kestavo {

namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::size_t kBmpCoreHeader = 12;
constexpr std::size_t kBmpInfoHeader = 40;
constexpr std::size_t kGifHeaderAndScreen = 13;

// Where the pixels start, and the compressions whose pixels are rows of
// the bitmap's width: none, and colour masks (three, or four with alpha).
constexpr std::size_t kBmpPixelOffset = 10;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::uint32_t kBiAlphaBitFields = 6;

// The blocks a GIF decoder reads before the first image: extensions, each
// of sub-blocks up to an empty one, then the image descriptor, whose width
// and height end 9 bytes after its introducer.
constexpr unsigned kGifExtension = 0x21;
constexpr unsigned kGifImage = 0x2C;
constexpr std::size_t kGifImageSizeEnd = 9;

// The marker that starts a JPEG file, and those of the frame headers the
// system's decoder takes: baseline, extended and progressive Huffman coding.
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kFirstFrame = 0xC0;
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

// SOF0 to SOF15, less the tables and the reserved marker that share their
// numbers.
bool IsFrameMarker(unsigned marker) {
    return marker >= kFirstFrame && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
           marker != 0xCC;
}

// Restart markers and TEM stand alone, without a length.
bool IsStandAloneMarker(unsigned marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// Application data, comments and DNL: a decoder passes them over by their
// length, and one of less than 2 (which cannot count its own two bytes) by
// those two bytes alone.
bool IsSkippedSegment(unsigned marker) {
    return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE || marker == 0xDC;
}

// Huffman, arithmetic-coding, quantization and restart tables, read whole.
bool IsTableSegment(unsigned marker) {
    return marker == 0xC4 || marker == 0xCC || marker == 0xDB || marker == 0xDD;
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

bool PictureHeader::IsRefused(std::string_view bytes) {
    return ClaimsTooManyPixels(bytes) || IsCutShort(bytes);
}

bool PictureHeader::ClaimsTooManyPixels(std::string_view bytes) {
    return BmpClaimsTooManyPixels(bytes) || GifClaimsTooManyPixels(bytes) ||
           JpegClaimsTooManyPixels(bytes);
}

// A bottom-up bitmap has a positive height, a top-down one a negative one;
// a negative width, read as a number above 2^31, is refused. A bitmap with
// the old 12-byte header has 16-bit sizes.
bool PictureHeader::BmpClaimsTooManyPixels(std::string_view bytes) {
    if (bytes.substr(0, 2) != "BM" || bytes.size() < kBmpFileHeader + kBmpCoreHeader) {
        return false;
    }
    const bool old = Little32(bytes, kBmpFileHeader) == kBmpCoreHeader;
    const std::uint32_t width = old ? Little16(bytes, 18) : Little32(bytes, 18);
    const std::uint32_t height = old ? Little16(bytes, 20) : Little32(bytes, 22);
    return Exceeds(width, height > 0x80000000u ? 0u - height : height);
}

// Decoders take the size of the logical screen or of the first image,
// depending on the decoder, so neither may be too large.
bool PictureHeader::GifClaimsTooManyPixels(std::string_view bytes) {
    if (bytes.substr(0, 3) != "GIF" || bytes.size() < 10) {
        return false;
    }
    const std::size_t image = FindGifImage(bytes);
    return Exceeds(Little16(bytes, 6), Little16(bytes, 8)) ||
           (image != 0 && Exceeds(Little16(bytes, image + 5), Little16(bytes, image + 7)));
}

bool PictureHeader::JpegClaimsTooManyPixels(std::string_view bytes) {
    const std::size_t frame = WalkJpeg(bytes).frame;
    return frame != 0 && Exceeds(Big16(bytes, frame + 5), Big16(bytes, frame + 3));
}

bool PictureHeader::Exceeds(std::uint32_t width, std::uint32_t height) {
    return height != 0 && width > kMaxPixels / height;
}

// The pixels are measured from where the file header puts them, whatever
// lies between the headers and there.
bool PictureHeader::IsCutShort(std::string_view bytes) {
    if (bytes.substr(0, 2) != "BM") {
        return false;
    }
    if (bytes.size() < kBmpFileHeader + kBmpCoreHeader) {
        return true;
    }
    const std::uint64_t size = bytes.size();
    const std::uint32_t offset = Little32(bytes, kBmpPixelOffset);
    return size < BmpColourTableEnd(bytes) || size < offset || !BmpPixelsFit(bytes, size - offset);
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

// A frame of another coding than the decoder's gives nothing, and so do
// headers that end before the first scan: the decoder reads up to it
// before it gives a picture.
std::optional<PictureSize> PictureHeader::ReadJpegSize(std::string_view bytes) {
    const JpegHeaders headers = WalkJpeg(bytes);
    if (!headers.scan || headers.frameMarker > kLastFrame) {
        return std::nullopt;
    }
    return ReadFrameHeader(bytes.substr(headers.frame, Big16(bytes, headers.frame)));
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

// The end of the colour table as GDI measures it: after the core header,
// one three-byte entry for each colour of a bitmap of up to 8 bits a pixel;
// after a later header (and the masks that follow an info header), one
// four-byte entry for each colour the header counts, or else for each
// colour of up to 8 bits.
std::uint64_t PictureHeader::BmpColourTableEnd(std::string_view bytes) {
    const std::uint32_t headerSize = Little32(bytes, kBmpFileHeader);
    if (headerSize == kBmpCoreHeader) {
        const unsigned bits = Little16(bytes, 24);
        return kBmpFileHeader + kBmpCoreHeader + (bits <= 8 ? 3u << bits : 0u);
    }
    const unsigned bits = Little16(bytes, 28);
    const std::uint32_t compression = Little32(bytes, 30);
    const std::uint32_t used = Little32(bytes, 46);
    const std::uint64_t masks = compression == kBiBitFields        ? 12
                                : compression == kBiAlphaBitFields ? 16
                                                                   : 0;
    const std::uint64_t colours = used != 0 ? used : bits <= 8 ? 1u << bits : 0u;
    return kBmpFileHeader + std::max<std::uint64_t>(headerSize, kBmpInfoHeader + masks) +
           4 * colours;
}

// Uncompressed and masked pixels are rows of the width, each a whole
// number of 32-bit words; compressed ones are as many bytes as the header
// says, which the decoder reads whatever they hold.
bool PictureHeader::BmpPixelsFit(std::string_view bytes, std::uint64_t available) {
    const bool old = Little32(bytes, kBmpFileHeader) == kBmpCoreHeader;
    const std::uint32_t compression = old ? kBiRgb : Little32(bytes, 30);
    if (compression != kBiRgb && compression != kBiBitFields && compression != kBiAlphaBitFields) {
        return available >= Little32(bytes, 34);
    }
    const std::uint64_t width = old ? Little16(bytes, 18) : Little32(bytes, 18);
    const std::uint64_t bits = old ? Little16(bytes, 24) : Little16(bytes, 28);
    std::uint32_t height = old ? Little16(bytes, 20) : Little32(bytes, 22);
    height = height > 0x80000000u ? 0u - height : height;
    const std::uint64_t row = (width * bits + 31) / 32 * 4;
    return row == 0 || available / row >= height;
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
// the tables among them never parsed, and the walk ends where such a
// decoder ends with an error: a second start of image or frame header, a
// marker it does not know, the end of the image or of the file, a segment
// running past the end. The frame header may be cut after the size: a
// decoder that reads headers first already has the size from it.
PictureHeader::JpegHeaders PictureHeader::WalkJpeg(std::string_view bytes) {
    JpegHeaders headers;
    if (Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != kStartOfImage) {
        return headers;
    }
    std::size_t at = 2;
    for (;;) {
        const unsigned marker = NextJpegMarker(bytes, at);
        if (IsStandAloneMarker(marker)) {
            continue;
        }
        if (marker == kStartOfScan) {
            headers.scan = headers.frame != 0 && IsScanHeader(bytes, at);
            return headers;
        }
        const bool frame = IsFrameMarker(marker);
        const bool known = frame || IsSkippedSegment(marker) || IsTableSegment(marker);
        if (!known || (frame && headers.frame != 0) || at + 2 > bytes.size()) {
            return headers;
        }
        if (frame) {
            headers.frame = at + kFrameSizeBytes <= bytes.size() ? at : 0;
            headers.frameMarker = marker;
        }
        const std::size_t length = Big16(bytes, at);
        if (length < 2 && !IsSkippedSegment(marker)) {
            return headers;
        }
        at += std::max<std::size_t>(length, 2);
        if (at > bytes.size()) {
            return headers;
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
    return at + 2 <= bytes.size() && components >= 1 && components <= 4 &&
           Big16(bytes, at) == 6 + 2 * components && at + 6 + 2 * components <= bytes.size();
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
