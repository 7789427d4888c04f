// Twips to logical pixels: the one conversion every window layout goes through.
#pragma once

#include <QRect>

namespace platform {

// 15 twips make one logical pixel; the nearest pixel, halves rounded down (8505 twips = 567 px).
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

// A rectangle given in twips (left, top, width, height), in logical pixels.
inline QRect pxRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace platform
