// The board's geometry: sixteen cells, four by four, numbered row by row
// from the top left. Positions are twips inside the board's inner area.
#pragma once

namespace tembira {

constexpr int cellPitch = 960;

// Origin of cell k (1 ... 16): where anything standing on it has its Left
// and Top.
constexpr int cellLeft(int k) {
    return (k - 1) % 4 * cellPitch;
}
constexpr int cellTop(int k) {
    return (k - 1) / 4 * cellPitch;
}

// The cell whose origin is exactly (left, top), or 0 for any other point.
constexpr int cellAt(double left, double top) {
    for (int k = 1; k <= 16; ++k)
        if (left == cellLeft(k) && top == cellTop(k))
            return k;
    return 0;
}

} // namespace tembira
