// Every board within a few moves of the goal, with its exact distance, by
// breadth-first search: the yardstick for short solutions and lower bounds.
#pragma once

#include <map>

#include "solver/solver.h"

namespace solver::testing {

inline std::map<Board, int> boardsNearGoal(int moves) {
    std::map<Board, int> distance{{goal, 0}};
    std::vector<Board> layer{goal};
    for (int d = 1; d <= moves; ++d) {
        std::vector<Board> next;
        for (const Board& board : layer)
            for (int tile = 1; tile < 16; ++tile)
                if (const auto after = afterClick(board, tile);
                    after && distance.emplace(*after, d).second)
                    next.push_back(*after);
        layer = std::move(next);
    }
    return distance;
}

} // namespace solver::testing
