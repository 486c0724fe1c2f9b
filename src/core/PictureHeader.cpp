#include "core/PictureHeader.h"

#include <cstdint>

namespace kestavo {

namespace {

// 128 Mi pixels, 512 MB at the 32 bits a picture is decoded to: a 32-bit
// program has 2 GB of address space, and the decoder's bitmap and the copy
// setup.exe keeps are alive at once. A picture the size of an 8K screen
// (7680 x 4320) is a quarter of it; a 30000 x 30000 one, which a file of a
// few hundred bytes can claim, would take 3.6 GB, twice.
const std::uint32_t kMaxPixels = 128u * 1024u * 1024u;

std::uint32_t Little16(const unsigned char* at) {
    return at[0] | at[1] << 8;
}

std::uint32_t Big16(const unsigned char* at) {
    return at[0] << 8 | at[1];
}

std::uint32_t Little32(const unsigned char* at) {
    return Little16(at) | Little16(at + 2) << 16;
}

// The segments are walked by their lengths up to the first frame header
// (SOF0 to SOF15, less the tables that share their numbers); a marker may
// be preceded by any number of fill bytes 0xFF. Gives the frame header's
// offset, or 0.
std::size_t JpegFrame(const unsigned char* bytes, std::size_t size) {
    std::size_t at = 2;
    while (at + 9 <= size && bytes[at] == 0xFF) {
        const unsigned marker = bytes[at + 1];
        if ((marker & 0xF0) == 0xC0 && ((marker & 3) != 0 || marker == 0xC0)) {
            return at;
        }
        at += marker == 0xFF ? 1 : 2 + Big16(bytes + at + 2);
    }
    return 0;
}

}  // namespace

// A bottom-up bitmap has a positive height, a top-down one a negative one;
// a negative width, read as a number above 2^31, is refused. A bitmap with
// the old 12-byte header has 16-bit sizes. A GIF's logical screen holds
// every frame of the file.
bool ClaimsTooManyPixels(const unsigned char* bytes, std::size_t size) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (size >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
        const bool old = Little32(bytes + 14) == 12;
        width = old ? Little16(bytes + 18) : Little32(bytes + 18);
        height = old ? Little16(bytes + 20) : Little32(bytes + 22);
        height = height > 0x80000000u ? 0u - height : height;
    } else if (size >= 10 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F') {
        width = Little16(bytes + 6);
        height = Little16(bytes + 8);
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
        if (const std::size_t frame = JpegFrame(bytes, size)) {
            width = Big16(bytes + frame + 7);
            height = Big16(bytes + frame + 5);
        }
    }
    return height != 0 && width > kMaxPixels / height;
}

}  // namespace kestavo
