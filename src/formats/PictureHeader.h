#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/IPicturePort.h"
#include "platform/Types.h"

namespace kestavo {

// What a BMP, GIF or JPEG file's header says of the picture, read with
// every offset checked against the bytes there are: the files come from
// strangers, and decoders allocate what a header claims, whatever the file
// holds. Nothing here decodes a pixel.
class PictureHeader {
public:
    // 128 Mi pixels, 512 MB at the 32 bits a picture is decoded to: a 32-bit
    // program has 2 GB of address space, and the decoder's bitmap and the
    // copy setup.exe keeps are alive at once. A picture the size of an 8K
    // screen (7680 x 4320) is a quarter of it; a 30000 x 30000 one, which a
    // file of a few hundred bytes can claim, would take 3.6 GB, twice.
    static constexpr std::uint32_t kMaxPixels = 128u * 1024u * 1024u;

    // The width and height OleLoadPicture would give the file; nothing for
    // any other file, a header cut short or malformed, or a size that is
    // not positive.
    static std::optional<PictureSize> ReadSize(std::string_view bytes);

    // Whether the header claims more than kMaxPixels, or a negative width,
    // whatever else is wrong with the file: what is refused before it ever
    // reaches a decoder. A header cut short, or another format, claims
    // nothing.
    static bool ClaimsTooManyPixels(std::string_view bytes);

    // Whether a bitmap ends inside its own headers. A decoder reads the
    // headers whole whatever the file holds, and one cut short there decodes
    // whatever lay in memory after it, now a picture, now none.
    static bool IsCutShort(std::string_view bytes);

    // What is refused before a decoder sees the file, and why: too many
    // pixels claimed, or a bitmap cut short; None for a file a decoder may
    // be given.
    static PictureRefusal Refusal(std::string_view bytes);

private:
    static std::optional<PictureSize> ReadBmpSize(std::string_view bytes);
    static std::optional<PictureSize> ReadGifSize(std::string_view bytes);
    static std::optional<PictureSize> ReadJpegSize(std::string_view bytes);
    static std::optional<PictureSize> ReadFrameHeader(std::string_view segment);
    static std::size_t FindJpegFrame(std::string_view bytes);

    static unsigned Byte(std::string_view bytes, std::size_t at);
    static unsigned Little16(std::string_view bytes, std::size_t at);
    static std::uint32_t Little32(std::string_view bytes, std::size_t at);
    static unsigned Big16(std::string_view bytes, std::size_t at);
    static std::optional<PictureSize> Positive(long long width, long long height);
};

}  // namespace kestavo
