#include "vendortools/MediaFile.h"

#include "formats/PictureHeader.h"
#include "platform/IPicturePort.h"

namespace kestavo::vendortools {

namespace {

constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kChunkHeader = 8;
// The compressions of a BITMAPINFOHEADER the animation control draws.
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

bool IsRiff(std::string_view bytes, std::string_view form) {
    return StartsWith(bytes, "RIFF") && bytes.size() >= kRiffHeader && bytes.substr(8, 4) == form;
}

}  // namespace

std::uint32_t MediaFile::Little32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value =
            value << 8 | (at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0);
    }
    return value;
}

// Formats vendors save pictures in that the system's decoder does not read.
std::string MediaFile::OtherFormat(std::string_view bytes) {
    if (StartsWith(bytes, "\x89PNG")) {
        return "it is a PNG picture";
    }
    if (IsRiff(bytes, "WEBP")) {
        return "it is a WebP picture";
    }
    if (StartsWith(bytes, "II*") || StartsWith(bytes, std::string_view("MM\0*", 4))) {
        return "it is a TIFF picture";
    }
    if (StartsWith(bytes, std::string_view("\0\0\1\0", 4))) {
        return "it is an icon";
    }
    return "it is no BMP, GIF or JPEG picture";
}

std::string MediaFile::PictureProblem(std::string_view bytes, std::uintmax_t size) {
    if (size == 0) {
        return "the file is empty";
    }
    if (size > IPicturePort::kMaxFileSize) {
        return "the file is larger than 64 MiB, which setup.exe does not read";
    }
    switch (PictureHeader::Refusal(bytes)) {
        case PictureRefusal::TooManyPixels:
            return "its header claims more than 128 Mi pixels (16384 x 8192), which setup.exe "
                   "does not decode";
        case PictureRefusal::CutShort:
            return "the bitmap is cut short: its headers, colours or pixels end past the file";
        default:
            break;
    }
    if (PictureHeader::ReadSize(bytes)) {
        return "";
    }
    if (StartsWith(bytes, "BM")) {
        return "its bitmap header is cut short or malformed";
    }
    if (StartsWith(bytes, "GIF8")) {
        return "its GIF header is cut short or malformed";
    }
    if (StartsWith(bytes, "\xFF\xD8")) {
        return "its JPEG frame is cut short, or of a coding the system's decoder does not read "
               "(only baseline, extended and progressive Huffman coding)";
    }
    return OtherFormat(bytes);
}

// A file too large to keep is not judged by its content.
std::string MediaFile::SoundProblem(std::string_view bytes, std::uintmax_t size) {
    if (size == 0) {
        return "the file is empty";
    }
    if (size > bytes.size() || IsRiff(bytes, "WAVE")) {
        return "";
    }
    if (StartsWith(bytes, "ID3") || StartsWith(bytes, "\xFF\xFB") ||
        StartsWith(bytes, "\xFF\xF3")) {
        return "it is an MP3 file, not a WAVE file";
    }
    return "it is not a WAVE (RIFF) sound file";
}

// The stream headers lie in the "hdrl" list, one "strl" list per stream: a
// "strh" chunk whose type is "vids" or "auds", then a "strf" chunk, for
// video a BITMAPINFOHEADER with its compression at offset 16.
std::string MediaFile::AnimationProblem(std::string_view bytes, std::uintmax_t size) {
    if (size > bytes.size()) {
        return "";
    }
    if (!IsRiff(bytes, "AVI ")) {
        return "it is not an AVI clip";
    }
    int videos = 0;
    bool sound = false;
    bool coded = false;
    std::string_view type;
    for (std::size_t at = kRiffHeader; at + kChunkHeader <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t length = Little32(bytes, at + 4);
        if (id == "LIST") {
            const std::string_view list = bytes.substr(at + kChunkHeader, 4);
            if (list == "hdrl" || list == "strl") {
                at += kRiffHeader;
                continue;
            }
        } else if (id == "strh") {
            type = bytes.substr(at + kChunkHeader, 4);
            videos += type == "vids" ? 1 : 0;
            sound = sound || type == "auds";
        } else if (id == "strf" && type == "vids") {
            const std::uint32_t compression = Little32(bytes, at + kChunkHeader + 16);
            coded = coded || (compression != kUncompressed && compression != kRle8);
        }
        if (length > bytes.size()) {
            break;
        }
        at += kChunkHeader + length + (length & 1);
    }
    if (sound) {
        return "the clip has a sound track, and the animation control opens silent clips only";
    }
    if (videos != 1) {
        return "the clip has no video stream, or more than one";
    }
    if (coded) {
        return "its video is compressed, and the animation control plays uncompressed or RLE8 "
               "clips only";
    }
    return "";
}

}  // namespace kestavo::vendortools
