#include "platform/sim/SimPictures.h"

#include <climits>
#include <optional>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace kestavo::sim {

namespace {

// The picture's size from its header, when stb_image recognises it.
std::optional<PictureSize> ReadSize(const std::string& content) {
    if (content.empty() || content.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int components = 0;
    if (stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(content.data()),
                              static_cast<int>(content.size()), &width, &height,
                              &components) == 0 ||
        width <= 0 || height <= 0) {
        return std::nullopt;
    }
    return PictureSize{width, height};
}

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

}  // namespace

Handle SimPictures::LoadPictureBitmap(const std::string& path) {
    const std::optional<std::string> content = m_files.Read(path);
    const std::optional<PictureSize> size = content ? ReadSize(*content) : std::nullopt;
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
