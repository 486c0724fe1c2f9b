#pragma once

#include <string>

#include "platform/Types.h"

namespace kestavo {

// A logical font as the platform describes it (the fields of LOGFONTA).
struct FontDesc {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    unsigned char italic = 0;
    unsigned char underline = 0;
    unsigned char strikeOut = 0;
    unsigned char charSet = 0;
    unsigned char outPrecision = 0;
    unsigned char clipPrecision = 0;
    unsigned char quality = 0;
    unsigned char pitchAndFamily = 0;
    // At most kFaceNameMax characters, as the platform's 32-character field.
    std::string faceName;

    static constexpr std::size_t kFaceNameMax = 31;
};

// Creates and deletes the drawing objects a control owns. The caller owns
// every handle it is given and deletes it with DeleteObject.
class IGdiPort {
public:
    virtual ~IGdiPort() = default;

    virtual Handle CreateSolidBrush(ColorRef color) = 0;
    virtual Handle CreateFontFromDesc(const FontDesc& font) = 0;
    virtual void DeleteObject(Handle object) = 0;
    // The description of the stock DEFAULT_GUI_FONT.
    virtual FontDesc DefaultGuiFont() = 0;
};

// A device context lent for the length of one paint or colour request.
class IDeviceContext {
public:
    virtual ~IDeviceContext() = default;

    virtual Handle Get() = 0;
    // Selects the object and hands back the one it replaced.
    virtual Handle SelectObject(Handle object) = 0;
    virtual void SetTextColor(ColorRef color) = 0;
    virtual void SetBkMode(int mode) = 0;
    virtual void FillRectWithSysColor(const Rect& rect, int sysColorIndex) = 0;
    // One solid fill of the rectangle with the colour.
    virtual void FillSolidRect(const Rect& rect, ColorRef color) = 0;
    virtual void DrawIcon(int x, int y, Handle icon) = 0;
    virtual void SetTextAlign(unsigned align) = 0;
    virtual void DrawTextAt(int x, int y, const std::string& text) = 0;
};

}  // namespace kestavo
