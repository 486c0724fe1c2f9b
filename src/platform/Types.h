#pragma once

#include <cstdint>

namespace kestavo {

// An operating-system handle (window, brush, font, device context, icon) as
// the portable code sees it: opaque, compared and passed back, never used.
using Handle = std::uintptr_t;
inline constexpr Handle kNullHandle = 0;

// A colour in the layout Windows uses: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(unsigned red, unsigned green, unsigned blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

}  // namespace kestavo
