// Screen geometry in pixels, as the window system reports it.
#pragma once

namespace torvik {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Size {
    int cx = 0, cy = 0;
};

struct Point {
    int x = 0, y = 0;
};

// Flags of a window move or resize; the values match the window system's.
enum WindowPosFlags : unsigned {
    kPosNoSize = 0x0001,
    kPosNoMove = 0x0002,
};

}  // namespace torvik
