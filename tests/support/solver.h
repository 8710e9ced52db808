// Finds a sequence of tiles to slide that solves a 4 x 4 board: weighted A*
// on Manhattan distance, quick rather than shortest.
#pragma once

#include <array>
#include <vector>

namespace tembira::testing {

// cells[k - 1] = the tile on cell k, 0 for the empty cell. Returns the tiles
// to click in order; empty if the board cannot be solved.
std::vector<int> solve(const std::array<int, 16>& cells);

} // namespace tembira::testing
