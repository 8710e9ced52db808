// The variables every handler of the window shares, and the board's geometry.
#pragma once

#include <cstdint>

#include "platform/numbered.h"

namespace tembira {

using platform::Numbered;

constexpr int cellPitch = 960;

// Origin, in twips inside the board, of cell k (1 ... 16, row by row).
constexpr int cellLeft(int k) {
    return (k - 1) % 4 * cellPitch;
}
constexpr int cellTop(int k) {
    return (k - 1) / 4 * cellPitch;
}
// The cell whose origin is exactly (left, top), or 0 for any other point.
int cellAt(double left, double top);

struct BoardState {
    std::int16_t PICKLEFT = 0;
    std::int16_t PICKTOP = 0;
    std::int16_t GOALLEFT = 0;
    std::int16_t GOALTOP = 0;
    std::int16_t PICKNO = 0;
    std::int16_t SOLVED = 0;
    std::int16_t STEP = 0;
    Numbered<std::int16_t, 15> HOMELEFT;
    Numbered<std::int16_t, 15> HOMETOP;
    Numbered<std::int16_t, 16> EMPTY;

    // The load values; PICKLEFT, PICKTOP, GOALLEFT, GOALTOP are left alone.
    void initialise();
    // Cell 16 is the empty cell again.
    void resetEmptyMarker();
    // The cell whose EMPTY flag is 1 (0 if none is).
    int emptyCell() const;
};

// Property values are floats; the board variables take them rounded to the
// nearest whole twip, ties to even.
std::int16_t toInteger(float twips);

} // namespace tembira
