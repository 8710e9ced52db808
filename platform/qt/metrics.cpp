#include "platform/qt/metrics.h"

#include <cmath>

namespace platform::qt {

int pixels(double twips) {
    return int(std::lround(twips / twipsPerPixel));
}

QRect pixelRect(double left, double top, int width, int height) {
    const double l = std::nearbyint(left);
    const double t = std::nearbyint(top);
    const int x = pixels(l);
    const int y = pixels(t);
    return QRect(x, y, pixels(l + width) - x, pixels(t + height) - y);
}

int fontPixels(double points) {
    return pixels(points * 20);
}

} // namespace platform::qt
