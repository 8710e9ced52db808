// The table builder against a plain search; the generator's tables, through
// the lower bound the search takes from them:
// zero on the goal only, never above the true distance, the same kept move by
// move as computed afresh, and the same for a board and its mirror image. It
// changes by an odd number a move, but not always by one: the tables take the
// best over every place of the empty cell, even one walled off from it, but
// a cell that a group's tiles wall in alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <random>

#include "solver/heuristic.h"
#include "solver/table_builder.h"
#include "tests/solver/near_goal.h"

using solver::Board;

namespace {

int lowerBound(const Board& board) {
    return solver::Heuristic(board, solver::patternTables().data()).value();
}

// The bound worked out plainly from partition.h: each member's tiles placed
// and ranked afresh, each entry read as the layout says, every view summed.
int plainBound(const Board& board) {
    namespace partition = solver::partition;
    const std::uint8_t* tables = solver::patternTables().data();
    const int empty = int(std::find(board.begin(), board.end(), 0) - board.begin());
    int manhattan = 0;
    for (int c = 0; c < 16; ++c)
        if (const int tile = board[std::size_t(c)])
            manhattan += std::abs(c / 4 - (tile - 1) / 4) + std::abs(c % 4 - (tile - 1) % 4);
    auto entry = [&](partition::Member member) {
        const partition::Group& group = partition::groups[member.group];
        std::array<std::uint8_t, 6> place{};
        unsigned cells = 0;
        for (int c = 0; c < 16; ++c) {
            const int tile = board[std::size_t(c)];
            const int order =
                tile == 0
                    ? -1
                    : partition::orderOf(member.group,
                                         partition::transformCell(member.symmetry, tile - 1) + 1);
            if (order >= 0) {
                place[std::size_t(order)] =
                    std::uint8_t(partition::transformCell(member.symmetry, c));
                cells |= 1u << c;
            }
        }
        const bool walled = (partition::besides(1u << empty) & ~cells) == 0;
        const std::uint32_t index = solver::rankPlacement(place, group.size);
        return tables[partition::tableOffset(member.group) + index / 2] >>
                   (index % 2 * 4 + 2 * walled) &
               3;
    };
    int most = 0;
    for (const partition::View& view : partition::views)
        most = std::max(most, entry(view[0]) + entry(view[1]) + entry(view[2]));
    for (const partition::Paired& paired : partition::paired) {
        const auto& [a, b] = paired.large;
        most = std::max(most, entry(partition::views[a[0]][a[1]]) +
                                  entry(partition::views[b[0]][b[1]]) +
                                  entry({paired.group, partition::same}));
    }
    return manhattan + 2 * most;
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

// The builder's search by levels against a plain one over placements and
// empty cells, where a move of a group tile costs one and any other nothing.
TEST(LowerBound, BuilderAgreesWithAPlainSearchOnASmallGroup) {
    const solver::partition::Group group{3, {9, 10, 13}};
    std::map<std::pair<std::uint32_t, int>, int> moves;
    std::deque<std::pair<std::uint32_t, int>> queue;
    const std::array<std::uint8_t, 3> home{8, 9, 12};
    queue.push_back({solver::rankPlacement(home, 3), 15});
    moves[queue.front()] = 0;
    while (!queue.empty()) {
        const auto [index, empty] = queue.front();
        queue.pop_front();
        const int here = moves[{index, empty}];
        auto cells = solver::unrankPlacement<3>(index, 3);
        for (const int cell : {empty - 4, empty + 4, empty - 1, empty + 1}) {
            if (cell < 0 || cell > 15 || (cell / 4 != empty / 4 && cell % 4 != empty % 4))
                continue;
            const auto tile = std::find(cells.begin(), cells.end(), cell);
            if (tile != cells.end())
                *tile = std::uint8_t(empty);
            const std::pair<std::uint32_t, int> next{solver::rankPlacement(cells, 3), cell};
            const int cost = here + (tile != cells.end());
            if (tile != cells.end())
                *tile = std::uint8_t(cell);
            if (const auto known = moves.find(next); known == moves.end() || known->second > cost) {
                moves[next] = cost;
                if (tile != cells.end())
                    queue.push_back(next);
                else
                    queue.push_front(next);
            }
        }
    }
    // The fewest with the empty cell anywhere, and by whether the group's
    // tiles wall it in (every neighbour of its cell one of theirs).
    std::vector<int> fewest(solver::partition::placements(3), 99);
    std::vector<std::array<int, 2>> byPlace(fewest.size(), {99, 99});
    for (const auto& [state, count] : moves) {
        const auto cells = solver::unrankPlacement<3>(state.first, 3);
        bool walled = true;
        for (const int next :
             {state.second - 4, state.second + 4, state.second - 1, state.second + 1})
            if (next >= 0 && next < 16 &&
                (next / 4 == state.second / 4 || next % 4 == state.second % 4))
                walled = walled && std::find(cells.begin(), cells.end(), next) != cells.end();
        fewest[state.first] = std::min(fewest[state.first], count);
        int& place = byPlace[state.first][std::size_t(walled)];
        place = std::min(place, count);
    }
    // Capped as the search's tables are, and uncapped, as the benchmark's are.
    for (const int cap : {3, 255}) {
        const std::vector<std::uint8_t> built = solver::extraMoves(group, cap);
        const auto split = solver::extraMovesByEmptyCell(group, cap);
        for (std::uint32_t index = 0; index < fewest.size(); ++index) {
            const auto cells = solver::unrankPlacement<3>(index, 3);
            int manhattan = 0;
            for (int i = 0; i < 3; ++i)
                manhattan += std::abs(cells[std::size_t(i)] / 4 - home[std::size_t(i)] / 4) +
                             std::abs(cells[std::size_t(i)] % 4 - home[std::size_t(i)] % 4);
            ASSERT_EQ(built[index], std::min(cap, (fewest[index] - manhattan) / 2))
                << "cap " << cap << ", placement " << index;
            for (std::size_t walled = 0; walled < 2; ++walled) {
                const int least = byPlace[index][walled];
                ASSERT_EQ(split[index][walled],
                          least == 99 ? cap : std::min(cap, (least - manhattan) / 2))
                    << "cap " << cap << ", placement " << index << ", walled in " << walled;
            }
        }
    }
}

// The large tables' entries by value, as the builder has made them through
// its rewrites: a faster builder that lost a state would raise some, one
// that merged states would lower some (the search would stay optimal, only
// slower), and neither shows in the lengths found.
TEST(LowerBound, LargeTablesHoldTheirKnownEntries) {
    // Per group, the entries with the empty cell anywhere but walled in,
    // then walled in, by value.
    const std::array<std::array<std::size_t, 8>, 2> known{{
        {1630150, 2589783, 1276951, 268876, 458927, 1169629, 845697, 3291507},
        {678488, 2281584, 2101258, 704430, 241421, 835398, 1060794, 3628147},
    }};
    const std::span<const std::uint8_t> tables = solver::patternTables();
    for (std::size_t g = 0; g < known.size(); ++g) {
        std::array<std::size_t, 8> counted{};
        const std::size_t offset = solver::partition::tableOffset(int(g));
        for (std::size_t index = 0; index < solver::partition::placements(6); ++index)
            for (std::size_t walled = 0; walled < 2; ++walled)
                ++counted[4 * walled +
                          (tables[offset + index / 2] >> (index % 2 * 4 + 2 * walled) & 3)];
        EXPECT_EQ(counted, known[g]) << "group " << g;
    }
}

// A table read through a symmetry, as the views read the large ones, against
// the table built for the tiles it then counts: the same, unless the symmetry
// takes the goal's empty cell where the group's tiles wall it off.
TEST(LowerBound, ASymmetryReadsATableAsTheImageTilesTable) {
    namespace partition = solver::partition;
    auto homeOf = [](int tile) { return tile - 1; };
    for (const partition::Group group :
         {partition::Group{3, {1, 2, 5}}, partition::Group{3, {12, 14, 15}}}) {
        const std::vector<std::uint8_t> table = solver::extraMoves(group, 3);
        for (int symmetry = 0; symmetry < 8; ++symmetry) {
            // The tiles counted, in the order of the group's tiles they count as.
            partition::Group image{3, {}};
            bool whole = true;
            for (int i = 0; i < 3; ++i) {
                int tile = 1;
                while (tile < 16 && partition::transformCell(symmetry, homeOf(tile)) !=
                                        homeOf(group.tiles[std::size_t(i)]))
                    ++tile;
                whole = whole && tile < 16;
                image.tiles[std::size_t(i)] = std::uint8_t(tile);
            }
            if (!whole)
                continue; // a group tile's goal cell is the image of the empty cell's
            const std::vector<std::uint8_t> own = solver::extraMoves(image, 3);
            int differing = 0;
            for (std::uint32_t index = 0; index < own.size(); ++index) {
                auto cells = solver::unrankPlacement<3>(index, 3);
                for (auto& cell : cells)
                    cell = std::uint8_t(partition::transformCell(symmetry, cell));
                differing += own[index] != table[solver::rankPlacement(cells, 3)];
            }
            EXPECT_EQ(differing == 0, partition::keepsTheGoal(group, symmetry))
                << "tiles " << int(group.tiles[0]) << ", symmetry " << symmetry;
        }
    }
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
    solver::TableCells cells(board);
    for (int step = 0; step < 20000; ++step) {
        int from;
        do {
            const int way = int(random() % 4);
            from = empty + (way == 0 ? -4 : way == 1 ? 4 : way == 2 ? -1 : 1);
        } while (from < 0 || from > 15 || (from / 4 != empty / 4 && from % 4 != empty % 4));
        const int before = kept.value();
        kept.slide(cells, board[std::size_t(from)], from, empty);
        cells.slide(board[std::size_t(from)], from, empty);
        kept.lookUpFirst(tables);
        kept.lookUpRest(tables);
        board[std::size_t(empty)] = board[std::size_t(from)];
        board[std::size_t(from)] = 0;
        empty = from;
        const int after = lowerBound(board);
        ASSERT_EQ(kept.value(), after) << "step " << step;
        ASSERT_EQ(plainBound(board), after) << "step " << step;
        ASSERT_EQ(std::abs(after - before) % 2, 1) << "step " << step;
        ASSERT_EQ(lowerBound(mirrored(board)), after) << "step " << step;
    }
}
