#pragma once

#include <string>

#include "platform/IPicturePort.h"

namespace kestavo::win32 {

// Pictures decoded by OLE (OleLoadPicture over a stream on global memory)
// and copied into windows with StretchBlt.
class Win32Pictures : public IPicturePort {
public:
    Handle LoadPictureBitmap(const std::string& path, PictureRefusal& why) override;
    PictureSize BitmapSize(Handle bitmap) override;
    void DrawBitmap(Handle window, Handle bitmap, int x, int y) override;
};

}  // namespace kestavo::win32
