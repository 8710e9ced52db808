// The windowing layer's pixel rounding, as Qt rectangles.
#pragma once

#include <QRect>

#include "platform/pixels.h"

namespace platform::qt {

using platform::fontPixels;
using platform::pixels;
using platform::twipsPerPixel;

inline QRect pixelRect(double left, double top, int width, int height) {
    const platform::PixelRect r = platform::pixelRect(left, top, width, height);
    return QRect(r.x, r.y, r.width, r.height);
}

} // namespace platform::qt
