// The simulated machine's pictures: any bytes as a picture file, whose size
// is read from its header. A picture that loads never has more pixels than
// the header check lets through: the check and the size walk the same
// headers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/PictureHeader.h"
#include "platform/sim/SimMachine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::sim::SimMachine machine;
    const std::string path = "C:\\SETUP\\setup.bmp";
    machine.files.Put(path, std::string(reinterpret_cast<const char*>(data), size));
    kestavo::PictureRefusal why = kestavo::PictureRefusal::None;
    const kestavo::Handle bitmap = machine.pictures.LoadPictureBitmap(path, why);
    const kestavo::PictureSize picture = machine.pictures.BitmapSize(bitmap);
    // A picture either loads with a size to place it by, or not at all and
    // with a reason.
    if ((bitmap == kestavo::kNullHandle) != (picture.width == 0 && picture.height == 0) ||
        (bitmap == kestavo::kNullHandle) != (why != kestavo::PictureRefusal::None) ||
        picture.width < 0 || picture.height < 0 ||
        std::uint64_t{static_cast<std::uint32_t>(picture.width)} *
                static_cast<std::uint32_t>(picture.height) >
            kestavo::PictureHeader::kMaxPixels) {
        std::abort();
    }
    return 0;
}
