#pragma once

#include <QRect>

namespace brassbell {

// Layout values are given in twips (1/1440 inch); the window is laid out at 96 dots per
// inch, where 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace brassbell
