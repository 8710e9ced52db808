// New boards of a measured difficulty: random solvable boards, each with its
// shortest solution's length checked by the solver.
#pragma once

#include <optional>
#include <random>

#include "solver/solver.h"

namespace tembira {

// The levels, 1 ... 3, and the lengths of shortest solution each takes.
struct Band {
    int fewest, most;
};
Band band(int level);

struct NewBoard {
    solver::Board board; // cell 16 empty, as every starting board
    int shortest = 0;
};

// A board of the level, drawn from random; nothing when stop was requested
// first.
std::optional<NewBoard> makeBoard(int level, std::mt19937_64& random, solver::StopToken stop = {});

} // namespace tembira
