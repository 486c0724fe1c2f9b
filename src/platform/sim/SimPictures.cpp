#include "platform/sim/SimPictures.h"

#include <optional>

#include "formats/PictureHeader.h"

namespace kestavo::sim {

namespace {

// The reasons in the order the Windows adapter meets them.
PictureRefusal Refusal(const std::optional<std::string>& content) {
    if (!content) {
        return PictureRefusal::NotOpened;
    }
    if (content->empty() || content->size() > IPicturePort::kMaxFileSize) {
        return PictureRefusal::FileSize;
    }
    const PictureRefusal refusal = PictureHeader::Refusal(*content);
    if (refusal != PictureRefusal::None) {
        return refusal;
    }
    return PictureHeader::ReadSize(*content) ? PictureRefusal::None : PictureRefusal::NotDecoded;
}

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

}  // namespace

Handle SimPictures::LoadPictureBitmap(const std::string& path, PictureRefusal& why) {
    const std::optional<std::string> content = m_files.Read(path);
    why = Refusal(content);
    if (why != PictureRefusal::None) {
        m_trace.Add(m_scheduler.Now(), "picture failed: " + path);
        return kNullHandle;
    }
    const PictureSize size = *PictureHeader::ReadSize(*content);
    const Handle bitmap = m_desktop.KeepObject("bitmap " + SizeText(size));
    m_sizes[bitmap] = size;
    m_trace.Add(m_scheduler.Now(), "picture: " + path + " " + SizeText(size));
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
