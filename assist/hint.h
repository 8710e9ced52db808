// The game's board as the solver sees it, and whether a hint can be given.
#pragma once

#include "solver/solver.h"

namespace tembira {

struct BoardView;
struct Form1;

// The tile on each cell, as the solver takes it.
solver::Board solverBoard(const BoardView& view);

enum class HintState {
    Ready,  // a started game, settled, not solved
    Solved, // every tile home: nothing left to do
    Locked, // the tiles take no clicks (before START, after a picture choice)
    Busy,   // a tile click waits for its dispatch, or a tile slides
};

HintState hintState(const Form1& f);

} // namespace tembira
