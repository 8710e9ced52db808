// New boards of a measured difficulty: random solvable boards, each with its
// shortest solution's length checked by the solver.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

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

// Making a board as work sent elsewhere (assist/job.h) describes it: the
// request is 1, the level and the seed of random (low half, high half); the
// answer is 1, the board's 16 cells and its shortest solution's length, or
// 0 alone when no board was made.
inline constexpr std::int32_t makeRequestKind = 1;
std::vector<std::int32_t> makeRequest(int level, std::uint64_t seed);
std::optional<NewBoard> makeAnswerRead(const std::vector<std::int32_t>& answer);
// The answer, worked out here: what the place the work is sent to runs.
std::vector<std::int32_t> makeAnswered(const std::vector<std::int32_t>& request);

} // namespace tembira
