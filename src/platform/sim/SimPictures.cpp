#include "platform/sim/SimPictures.h"

#include <optional>

#include "formats/PictureHeader.h"

namespace kestavo::sim {

namespace {

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// Why the file gives no picture, as the machine knows it: a predicate of
// the path.
std::string Refusal(const SimFiles& files, const std::string& path,
                    const std::optional<std::string>& content) {
    if (!content) {
        return files.IsFolder(path) ? "is a folder" : "is not there";
    }
    if (content->empty()) {
        return "is empty";
    }
    if (content->size() > IPicturePort::kMaxFileSize) {
        return "is larger than 64 MiB";
    }
    return PictureHeader::ClaimsTooManyPixels(*content) ? "claims more than 128 Mi pixels"
                                                        : "is not a whole BMP, GIF or JPEG picture";
}

}  // namespace

// A file that gives no picture is traced with the reason, after its path.
Handle SimPictures::LoadPictureBitmap(const std::string& path) {
    const std::optional<std::string> content = m_files.Read(path);
    const std::optional<PictureSize> size =
        content && content->size() <= kMaxFileSize && !PictureHeader::ClaimsTooManyPixels(*content)
            ? PictureHeader::ReadSize(*content)
            : std::nullopt;
    if (!size) {
        m_trace.Add(m_scheduler.Now(),
                    "picture failed: " + path + " | " + Refusal(m_files, path, content));
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
