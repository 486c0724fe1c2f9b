#pragma once

#include <string>

#include "platform/Types.h"

namespace kestavo {

// Why a picture file gave no bitmap.
enum class PictureRefusal : unsigned char {
    None,
    // Missing, a folder, a device name, a path past 259 characters.
    NotOpened,
    // Empty, or larger than IPicturePort::kMaxFileSize.
    FileSize,
    // The header claims more than PictureHeader::kMaxPixels.
    TooManyPixels,
    // A bitmap that ends within its own headers.
    CutShort,
    // Not a picture the decoder reads.
    NotDecoded,
};

// Decoding picture files (BMP, GIF, JPEG) into bitmaps and copying them
// into windows. The caller owns each bitmap and deletes it through
// IGdiPort::DeleteObject.
class IPicturePort {
public:
    virtual ~IPicturePort() = default;

    // No picture the launcher shows needs a larger file: an uncompressed
    // 32-bit bitmap of a whole 4K screen (3840 x 2160) is 32 MiB. A larger
    // file is refused before anything is read, rather than read whole into
    // memory on the main thread just before the package starts.
    static constexpr unsigned long kMaxFileSize = 64ul << 20;

    // Reads the whole file and decodes it with OleLoadPicture; a bitmap that
    // stays valid after the call, or null when the file cannot be opened,
    // is empty, is larger than kMaxFileSize or cannot be decoded, and then
    // `why` says which.
    virtual Handle LoadPictureBitmap(const std::string& path, PictureRefusal& why) = 0;
    // The bitmap's width and height (GetObject).
    virtual PictureSize BitmapSize(Handle bitmap) = 0;
    // Copies the bitmap one to one into the window's client area at
    // (x, y), through a client-area device context and a compatible memory
    // context, with the COLORONCOLOR stretch mode.
    virtual void DrawBitmap(Handle window, Handle bitmap, int x, int y) = 0;
};

}  // namespace kestavo
