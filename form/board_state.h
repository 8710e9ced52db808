// The variables every handler of the window shares.
#pragma once

#include <cstdint>

#include "form/grid.h"
#include "platform/numbered.h"

namespace tembira {

using platform::Numbered;

// The slide step, in twips a tick, that each speed sets: QUICK, NEWTRAL,
// SLOW. The window opens at NEWTRAL.
constexpr int speedSteps[3] = {640, 320, 160};

struct BoardState {
    std::int16_t PICKLEFT = 0; // Left of the tile last clicked, when it was clicked
    std::int16_t PICKTOP = 0;  // Top of the tile last clicked
    std::int16_t GOALLEFT = 0; // where the sliding tile is going: the empty cell's marker
    std::int16_t GOALTOP = 0;
    std::int16_t PICKNO = 0;             // the tile last clicked, 0 for none
    std::int16_t SOLVED = 0;             // 1 only inside a judgement of a solved board
    std::int16_t STEP = 0;               // twips a sliding tile moves per tick
    Numbered<std::int16_t, 15> HOMELEFT; // origin of cell n, for the shuffle
    Numbered<std::int16_t, 15> HOMETOP;
    Numbered<std::int16_t, 16> EMPTY; // 1 on the empty cell, 0 elsewhere

    // The tile the last dispatch set sliding. PICKNO names the same tile,
    // but a solved judgement clears PICKNO while the slide may still run.
    int slidingTile = 0;

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
