// The game measures in twips; screens want logical pixels, 15 twips each.
// Every binding converts through here, so that neighbouring controls that
// share an edge in twips share it in pixels too, on every screen alike.
#pragma once

namespace platform {

constexpr int twipsPerPixel = 15;

struct PixelRect {
    int x, y, width, height;
};

// Twips to logical pixels, rounded to the nearest pixel.
int pixels(double twips);

// A control's rectangle: each edge is rounded to a whole twip and then mapped
// on its own, so a 975-twip tile on a 960-twip pitch is 65 pixels wide and
// starts every 64 pixels.
PixelRect pixelRect(double left, double top, int width, int height);

// A font's pixel size: a point is 20 twips.
int fontPixels(double points);

} // namespace platform
