#pragma once

#include <climits>
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

// Sums of coordinates stop at the ends of int: a vendor may place a window
// anywhere, and a far edge past the largest int is still far to the right.
constexpr int ClampedSum(long long a, long long b) {
    const long long sum = a + b;
    return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // A rectangle at (x, y) of the given size. Its far edges stop at the
    // ends of int, so its width and height never pass the ones asked for.
    static constexpr Rect At(int x, int y, int width, int height) {
        return Rect{x, y, ClampedSum(x, width), ClampedSum(y, height)};
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// A picture's size in pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};

}  // namespace kestavo
