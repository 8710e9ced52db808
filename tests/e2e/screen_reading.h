// Reading the board and the pictures from screen pixels.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/layout.h"

namespace tembira::e2e {

// Pixels of cell k darker than its marker: a tile's number drawn on it,
// black or in the grey of a disabled tile.
std::vector<bool> ink(const Shot& shot, int k);
int inkCount(const Shot& shot, int k);

// Pixels of cell k that are near black, as digits in the button text colour.
int blackCount(const Shot& shot, int k);

// Cell k shows nothing but its marker's colour: no tile stands on it.
bool plain(const Shot& shot, int k);

// Pixels that differ between two masks of the same size.
int mismatch(const std::vector<bool>& a, const std::vector<bool>& b);

// Reads each cell's number by matching its ink against the glyphs of the
// known board `known` (as shot in `reference`): the tile whose glyph differs
// least, or 0 for a cell without ink.
Cells readBoard(const Shot& shot, const Shot& reference, const Cells& known);

// An uncompressed 8-bit Windows bitmap with its palette, top row first.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};
bool readBitmap(const std::string& file, Bitmap& out, std::string& error);

// The mean colour of a block of the screen, and of the part of `picture`
// that the same block shows when the picture is stretched over `placed`.
Rgb meanOf(const Shot& shot, const Rect& block);
Rgb meanOf(const Bitmap& picture, const Rect& placed, const Rect& block);

// The largest difference of those means over the 16-pixel blocks of the
// board frame's inside, leaving out blocks that touch `except`.
int worstBlock(const Shot& shot, const Bitmap& picture, const Rect& placed,
               const Rect& except = {});

} // namespace tembira::e2e
