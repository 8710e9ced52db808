#include "bench/solver/plain_search.h"

#include <algorithm>
#include <thread>
#include <type_traits>

#include "solver/heuristic.h"
#include "solver/table_builder.h"

namespace bench {

namespace {

using solver::detail::layout;
namespace partition = solver::partition;

// Per view and member, the cells of its tiles in its table, in the group's
// order.
using Places = std::array<std::array<std::array<std::uint8_t, 6>, 3>, 2>;
struct NoPlaces {};

// Views 0 and 1 of the solver's layout: the first partition, plain and
// mirrored. Each slide changes the moved tile's placement number in both
// views, worked out from the slide as the solver does or (afresh) numbered
// again from the group's cells, which the bound then keeps; then the two
// entries are looked up.
template <bool afresh> struct Bound {
    std::array<std::array<std::uint32_t, 3>, 2> index{};
    [[no_unique_address]] std::conditional_t<afresh, Places, NoPlaces> place{};
    std::array<std::array<std::uint8_t, 3>, 2> entry{};
    std::array<int, 2> sum{};
    int manhattan = 0;

    int value() const { return manhattan + 2 * std::max(sum[0], sum[1]); }
};

template <bool afresh> struct Run {
    const std::vector<std::vector<std::uint8_t>>& tables;
    solver::Board cells;
    std::uint64_t nodes = 0;
    int bound = 0;

    void relook(Bound<afresh>& b, std::size_t view, std::size_t group) const {
        const int e = tables[group][b.index[view][group]];
        b.sum[view] += e - b.entry[view][group];
        b.entry[view][group] = std::uint8_t(e);
    }

    Bound<afresh> slid(const Bound<afresh>& here, int tile, int from, int to) const {
        Bound<afresh> b = here;
        const auto t = std::size_t(tile);
        b.manhattan +=
            layout.manhattan[t][std::size_t(to)] - layout.manhattan[t][std::size_t(from)];
        for (std::size_t view = 0; view < 2; ++view) {
            const solver::detail::Slot slot = layout.slot[view][t];
            const auto& toTable = layout.toTable[view][slot.member];
            const auto& toBoard = layout.toBoard[view][slot.member];
            const auto& weight = layout.weight[view][slot.member];
            const int a = toTable[std::size_t(from)], c = toTable[std::size_t(to)];
            if constexpr (afresh) {
                auto& placed = b.place[view][slot.member];
                placed[slot.order] = std::uint8_t(c);
                b.index[view][slot.member] = solver::rankPlacement(
                    placed, partition::groups[partition::views[0][slot.member].group].size);
                relook(b, view, slot.member);
                continue;
            }
            int digit = c - a;
            std::uint32_t change = 0;
            if (digit == 4 || digit == -4) {
                const int step = digit / 4;
                for (int k = 1; k <= 3; ++k) {
                    const solver::detail::Slot other =
                        layout.slot[view][cells[toBoard[std::size_t(a + k * step)]]];
                    if (other.member != slot.member)
                        continue;
                    if (other.order < slot.order)
                        digit -= step;
                    else
                        change += std::uint32_t(step) * weight[other.order];
                }
            }
            b.index[view][slot.member] += change + std::uint32_t(digit) * weight[slot.order];
            relook(b, view, slot.member);
        }
        return b;
    }

    bool descend(const Bound<afresh>& here, int empty, int previous, int cost) {
        const int h = here.value();
        if (cost + h > bound)
            return false;
        if (h == 0)
            return true;
        for (const int step : {-4, -1, 1, 4}) {
            const int cell = empty + step;
            if (cell < 0 || cell > 15 || cell == previous ||
                ((step == 1 || step == -1) && cell / 4 != empty / 4))
                continue;
            const int tile = cells[std::size_t(cell)];
            ++nodes;
            const Bound<afresh> child = slid(here, tile, cell, empty);
            cells[std::size_t(empty)] = std::uint8_t(tile);
            cells[std::size_t(cell)] = 0;
            const bool found = descend(child, cell, empty, cost + 1);
            cells[std::size_t(cell)] = std::uint8_t(tile);
            cells[std::size_t(empty)] = 0;
            if (found)
                return true;
        }
        return false;
    }
};

template <bool afresh>
int solveWith(const std::vector<std::vector<std::uint8_t>>& tables, const solver::Board& board,
              std::uint64_t& nodes) {
    Run<afresh> run{tables, board};
    Bound<afresh> start;
    Places place{};
    int empty = 0;
    for (int c = 0; c < 16; ++c) {
        const auto tile = std::size_t(board[std::size_t(c)]);
        if (tile == 0) {
            empty = c;
            continue;
        }
        start.manhattan += layout.manhattan[tile][std::size_t(c)];
        for (std::size_t view = 0; view < 2; ++view) {
            const solver::detail::Slot slot = layout.slot[view][tile];
            place[view][slot.member][slot.order] =
                layout.toTable[view][slot.member][std::size_t(c)];
        }
    }
    if constexpr (afresh)
        start.place = place;
    for (std::size_t view = 0; view < 2; ++view)
        for (std::size_t g = 0; g < 3; ++g) {
            start.index[view][g] = solver::rankPlacement(
                place[view][g], partition::groups[partition::views[0][g].group].size);
            run.relook(start, view, g);
        }
    for (run.bound = start.value(); !run.descend(start, empty, -1, 0); run.bound += 2) {
    }
    nodes = run.nodes;
    return run.bound;
}

} // namespace

PlainSearch::PlainSearch() : tables_(3) {
    auto compute = [&](std::size_t g) {
        tables_[g] = solver::extraMoves(partition::groups[partition::views[0][g].group], 255);
    };
    std::jthread other(compute, 0);
    compute(1);
    compute(2);
}

int PlainSearch::solve(const solver::Board& board, std::uint64_t& nodes, Ranking ranking) const {
    return ranking == Ranking::afresh ? solveWith<true>(tables_, board, nodes)
                                      : solveWith<false>(tables_, board, nodes);
}

} // namespace bench
