#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// A picture file turned into a bitmap held by a window, painted at its
// natural size. A load that fails changes nothing, so the last good
// picture stays; the refusal is reported with its reason.
class PictureLoader {
public:
    explicit PictureLoader(Ports& ports) : m_ports(ports) {}
    ~PictureLoader();
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // True when the picture was loaded and replaced the one held: the owner
    // then invalidates its window so that it repaints.
    bool Load(const std::string& path);
    bool Loaded() const { return m_nPicture == 255; }
    // The held bitmap's size, read afresh from the bitmap.
    PictureSize Size();
    // Copies the held bitmap one to one into the window at (x, y).
    void Draw(Handle window, int x, int y);

private:
    Ports& m_ports;
    int m_nPicture = 0;
    Handle m_hBitmap = kNullHandle;
};

}  // namespace kestavo
