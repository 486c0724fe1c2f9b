#include "presentation/PictureLoader.h"

namespace kestavo {

PictureLoader::~PictureLoader() {
    if (m_hBitmap != kNullHandle) {
        m_gdi.DeleteObject(m_hBitmap);
    }
}

bool PictureLoader::Load(const std::string& path) {
    const Handle bitmap = m_pictures.LoadPictureBitmap(path);
    if (bitmap == kNullHandle) {
        return false;
    }
    if (m_hBitmap != kNullHandle) {
        m_gdi.DeleteObject(m_hBitmap);
    }
    m_hBitmap = bitmap;
    m_nPicture = 255;
    return true;
}

PictureSize PictureLoader::Size() {
    return m_hBitmap == kNullHandle ? PictureSize{} : m_pictures.BitmapSize(m_hBitmap);
}

void PictureLoader::Draw(Handle window, int x, int y) {
    if (Loaded()) {
        m_pictures.DrawBitmap(window, m_hBitmap, x, y);
    }
}

}  // namespace kestavo
