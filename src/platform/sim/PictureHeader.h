#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/IPicturePort.h"

namespace kestavo::sim {

// The width and height a picture file's header gives, for the formats that
// OleLoadPicture turns into a bitmap: BMP, GIF and JPEG. The simulated
// machine needs sizes, never pixels, and the files come from strangers, so
// only the header is read, every offset checked against the bytes there are.
class PictureHeader {
public:
    // Nothing for any other file, a header cut short, or a size that is not
    // positive.
    static std::optional<PictureSize> ReadSize(std::string_view bytes);

private:
    static std::optional<PictureSize> ReadBmpSize(std::string_view bytes);
    static std::optional<PictureSize> ReadGifSize(std::string_view bytes);
    static std::optional<PictureSize> ReadJpegSize(std::string_view bytes);
    static std::optional<PictureSize> ReadFrameHeader(std::string_view segment);

    static unsigned Byte(std::string_view bytes, std::size_t at);
    static unsigned Little16(std::string_view bytes, std::size_t at);
    static unsigned long Little32(std::string_view bytes, std::size_t at);
    static unsigned Big16(std::string_view bytes, std::size_t at);
    static std::optional<PictureSize> Positive(long long width, long long height);
};

}  // namespace kestavo::sim
