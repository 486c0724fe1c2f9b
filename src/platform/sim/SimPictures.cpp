#include "platform/sim/SimPictures.h"

#include <optional>

#include "formats/PictureHeader.h"

namespace kestavo::sim {

namespace {

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

}  // namespace

Handle SimPictures::LoadPictureBitmap(const std::string& path) {
    const std::optional<std::string> content = m_files.Read(path);
    const std::optional<PictureSize> size =
        content && content->size() <= kMaxFileSize && !PictureHeader::IsRefused(*content)
            ? PictureHeader::ReadSize(*content)
            : std::nullopt;
    if (!size) {
        m_trace.Add(m_scheduler.Now(), "picture failed: " + path);
        return kNullHandle;
    }
    const Handle bitmap = m_desktop.KeepObject("bitmap " + SizeText(*size));
    m_sizes[bitmap] = *size;
    m_trace.Add(m_scheduler.Now(), "picture: " + path + " " + SizeText(*size));
    return bitmap;
}

PictureSize SimPictures::BitmapSize(Handle bitmap) {
    const auto it = m_sizes.find(bitmap);
    return it == m_sizes.end() ? PictureSize{} : it->second;
}

void SimPictures::DrawBitmap(Handle window, Handle bitmap, int x, int y) {
    m_trace.Add(m_scheduler.Now(), "draw " + SizeText(BitmapSize(bitmap)) + " in window " +
                                       std::to_string(window) + " at (" + std::to_string(x) + ", " +
                                       std::to_string(y) + ")");
}

}  // namespace kestavo::sim
