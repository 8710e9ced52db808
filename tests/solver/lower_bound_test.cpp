// The generator's tables, through the lower bound the search takes from them:
// zero on the goal only, never above the true distance, the same kept move by
// move as computed afresh, and the same for a board and its mirror image. It
// changes by an odd number a move, but not always by one: the tables take the
// best over every place of the empty cell, even one walled off from it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "solver/heuristic.h"
#include "tests/solver/near_goal.h"

using solver::Board;

namespace {

int lowerBound(const Board& board) {
    return solver::Heuristic(board, solver::patternTables().data()).value();
}

Board mirrored(const Board& board) {
    Board image{};
    for (int c = 0; c < 16; ++c)
        image[std::size_t(solver::partition::mirrorCell(c))] =
            std::uint8_t(solver::partition::mirrorTile(board[std::size_t(c)]));
    return image;
}

unsigned walkSeed() {
    if (const char* s = std::getenv("TEMBIRA_SOLVER_SEED"))
        return unsigned(std::strtoul(s, nullptr, 10));
    return 20261208;
}

} // namespace

TEST(LowerBound, TablesAreWholeAndZeroOnTheGoal) {
    EXPECT_EQ(solver::patternTables().size(), solver::partition::totalBytes);
    EXPECT_EQ(lowerBound(solver::goal), 0);
}

TEST(LowerBound, NeverAboveTheDistanceNearTheGoal) {
    for (const auto& [board, distance] : solver::testing::boardsNearGoal(10)) {
        const int bound = lowerBound(board);
        ASSERT_LE(bound, distance);
        ASSERT_EQ((distance - bound) % 2, 0);
        ASSERT_EQ(bound == 0, distance == 0);
    }
}

TEST(LowerBound, KeptRightAlongARandomWalk) {
    const unsigned seed = walkSeed();
    std::cout << "walk seed " << seed << " (TEMBIRA_SOLVER_SEED)\n";
    SCOPED_TRACE("replay with TEMBIRA_SOLVER_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const std::uint8_t* tables = solver::patternTables().data();
    Board board = solver::goal;
    int empty = 15;
    solver::Heuristic kept(board, tables);
    for (int step = 0; step < 20000; ++step) {
        int from;
        do {
            const int way = int(random() % 4);
            from = empty + (way == 0 ? -4 : way == 1 ? 4 : way == 2 ? -1 : 1);
        } while (from < 0 || from > 15 || (from / 4 != empty / 4 && from % 4 != empty % 4));
        const int before = kept.value();
        kept.slide(board, board[std::size_t(from)], from, empty);
        kept.lookUpFirst(tables);
        kept.lookUpRest(tables);
        board[std::size_t(empty)] = board[std::size_t(from)];
        board[std::size_t(from)] = 0;
        empty = from;
        const int after = lowerBound(board);
        ASSERT_EQ(kept.value(), after) << "step " << step;
        ASSERT_EQ(std::abs(after - before) % 2, 1) << "step " << step;
        ASSERT_EQ(lowerBound(mirrored(board)), after) << "step " << step;
    }
}
