#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestavo::vendortools {

// Why setup.exe cannot use a media file of the setup folder, judged by its
// content as the program judges it: pictures by the questions the picture
// port asks (its file-size limit, the header reader's refusal, then whether
// the header gives a size), the splash sound by what the sound service
// plays, the splash animation by what the animation control opens. Each
// gives an empty text for a file it can use.
class MediaFile {
public:
    // A BMP, GIF or JPEG that the picture loader takes. `size` is the
    // file's size: the bytes of a very large file are not kept.
    static std::string PictureProblem(std::string_view bytes, std::uintmax_t size);
    // A RIFF WAVE file.
    static std::string SoundProblem(std::string_view bytes, std::uintmax_t size);
    // A silent AVI clip of one video stream, uncompressed or RLE8: the
    // animation control refuses clips with sound and other codings.
    static std::string AnimationProblem(std::string_view bytes, std::uintmax_t size);

private:
    static std::string OtherFormat(std::string_view bytes);
    static std::uint32_t Little32(std::string_view bytes, std::size_t at);
};

}  // namespace kestavo::vendortools
