#include "presentation/PictureLoader.h"

#include "core/DecisionReport.h"

namespace kestavo {

PictureLoader::~PictureLoader() {
    if (m_hBitmap != kNullHandle) {
        m_ports.gdi.DeleteObject(m_hBitmap);
    }
}

bool PictureLoader::Load(const std::string& path) {
    PictureRefusal why = PictureRefusal::None;
    const Handle bitmap = m_ports.pictures.LoadPictureBitmap(path, why);
    if (bitmap == kNullHandle) {
        Report(m_ports, Decision::PictureRefused, &path, static_cast<int>(why));
        return false;
    }
    if (m_hBitmap != kNullHandle) {
        m_ports.gdi.DeleteObject(m_hBitmap);
    }
    m_hBitmap = bitmap;
    m_nPicture = 255;
    return true;
}

PictureSize PictureLoader::Size() {
    return m_hBitmap == kNullHandle ? PictureSize{} : m_ports.pictures.BitmapSize(m_hBitmap);
}

void PictureLoader::Draw(Handle window, int x, int y) {
    if (Loaded()) {
        m_ports.pictures.DrawBitmap(window, m_hBitmap, x, y);
    }
}

}  // namespace kestavo
