// The pattern databases computed from nothing: a search over each tile
// group's placements. The table generator runs it during the build; where the
// tables cannot be laid into the program, it runs at first use.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver/partition.h"

namespace solver {

// Per placement of group's tiles (numbered as rankPlacement does), half of
// the fewest moves of those tiles beyond their Manhattan distance that bring
// them to their goal cells, the other tiles moving freely, or cap when it is
// more.
std::vector<std::uint8_t> extraMoves(const partition::Group& group, int cap);

// The same, a pair a placement by where the empty cell is: first anywhere
// but walled in, then (partition::walledIn) on a cell whose every neighbour
// holds a group tile; cap where the group's tiles wall in no cell.
std::vector<std::array<std::uint8_t, 2>> extraMovesByEmptyCell(const partition::Group& group,
                                                               int cap);

// Every group's table laid out as partition.h says.
std::vector<std::uint8_t> computePatternTables();

} // namespace solver
