#include "platform/pixels.h"

#include <cmath>

namespace platform {

int pixels(double twips) {
    return int(std::lround(twips / twipsPerPixel));
}

PixelRect pixelRect(double left, double top, int width, int height) {
    const double l = std::nearbyint(left);
    const double t = std::nearbyint(top);
    const int x = pixels(l);
    const int y = pixels(t);
    return {x, y, pixels(l + width) - x, pixels(t + height) - y};
}

int fontPixels(double points) {
    return pixels(points * 20);
}

} // namespace platform
