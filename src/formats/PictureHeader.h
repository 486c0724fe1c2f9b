#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/IPicturePort.h"
#include "platform/Types.h"

namespace kestavo {

// What a BMP, GIF or JPEG file's header says of the picture, read with
// every offset checked against the bytes there are and walked as the
// system's decoders walk it: the files come from strangers, and decoders
// allocate what a header claims, whatever the file holds. Nothing here
// decodes a pixel.
class PictureHeader {
public:
    // 128 Mi pixels, 512 MB at the 32 bits a picture is decoded to: a 32-bit
    // program has 2 GB of address space, and the decoder's bitmap and the
    // copy setup.exe keeps are alive at once. A picture the size of an 8K
    // screen (7680 x 4320) is a quarter of it; a 30000 x 30000 one, which a
    // file of a few hundred bytes can claim, would take 3.6 GB, twice.
    static constexpr std::uint32_t kMaxPixels = 128u * 1024u * 1024u;

    // The width and height OleLoadPicture would give the file; nothing for
    // any other file, a header cut short or malformed, a JPEG whose headers
    // end before its first scan, or a size that is not positive.
    static std::optional<PictureSize> ReadSize(std::string_view bytes);

    // Whether the header claims more than kMaxPixels, or a negative width,
    // whatever else is wrong with the file. A header cut short, or another
    // format, claims nothing.
    static bool ClaimsTooManyPixels(std::string_view bytes);

    // Whether a bitmap's headers, colour table or pixels lie past the end of
    // the file. A decoder takes them whole from where the headers put them,
    // whatever the file holds, and decodes whatever lay in memory after it.
    static bool IsCutShort(std::string_view bytes);

    // What is refused before a decoder sees the file, and why: too many
    // pixels claimed, or a bitmap cut short; None for a file a decoder may
    // be given. Windows and the simulated machine both ask this one
    // question, so that what one refuses the other refuses too.
    static PictureRefusal Refusal(std::string_view bytes);

private:
    // What GDI reads from a bitmap's headers.
    struct BmpLayout;

    static bool BmpClaimsTooManyPixels(const BmpLayout& layout, std::size_t size);
    static bool BmpIsCutShort(const BmpLayout& layout, std::size_t size);
    static bool GifClaimsTooManyPixels(std::string_view bytes);
    static bool JpegClaimsTooManyPixels(std::string_view bytes);
    static bool Exceeds(std::uint32_t width, std::uint32_t height);

    static std::optional<PictureSize> ReadBmpSize(std::string_view bytes);
    static std::optional<PictureSize> ReadGifSize(std::string_view bytes);
    static std::optional<PictureSize> ReadJpegSize(std::string_view bytes);
    static std::optional<PictureSize> ReadFrameHeader(std::string_view segment);

    static BmpLayout ReadBmpLayout(std::string_view bytes);
    static bool BmpColourTableFits(const BmpLayout& layout, std::size_t size);
    static bool BmpPixelsFit(const BmpLayout& layout, std::size_t size);
    static std::size_t FindGifImage(std::string_view bytes);
    static std::size_t FindJpegFrame(std::string_view bytes, std::size_t& scan);
    static unsigned NextJpegMarker(std::string_view bytes, std::size_t& at);
    static bool IsScanHeader(std::string_view bytes, std::size_t at);

    static bool IsBmp(std::string_view bytes);
    static unsigned Byte(std::string_view bytes, std::size_t at);
    static unsigned Little16(std::string_view bytes, std::size_t at);
    static std::uint32_t Little32(std::string_view bytes, std::size_t at);
    static unsigned Big16(std::string_view bytes, std::size_t at);
    static std::optional<PictureSize> Positive(long long width, long long height);
};

}  // namespace kestavo
