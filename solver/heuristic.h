// The search's lower bound on the moves left, from the pattern tables.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "solver/partition.h"
#include "solver/pattern_tables.h"
#include "solver/placement_rank.h"
#include "solver/solver.h"

namespace solver {

namespace detail {

// The views a board is looked up in: each partition, for the board and for
// its mirror image about the main diagonal (the same puzzle with the same
// goal, so the same tables apply). Tile u on cell c counts, in a mirrored
// view, as tile mirrorTile(u) on cell mirrorCell(c).
inline constexpr std::size_t viewCount = 2 * partition::partitionCount;

struct Slot {
    std::uint8_t group, order; // the group's place in the view's partition
};

struct Layout {
    std::array<std::array<Slot, 16>, viewCount> slot{};
    std::array<std::array<std::uint8_t, 16>, 2> cell{};
    std::array<std::array<std::uint8_t, 16>, 16> manhattan{};
    // The weight of each tile's digit in its group's placement number, and
    // where the group's table starts, per view and group of its partition.
    std::array<std::array<std::array<std::uint32_t, 6>, 3>, viewCount> weight{};
    std::array<std::array<std::uint32_t, 3>, viewCount> offset{};
};

constexpr Layout makeLayout() {
    Layout layout;
    for (std::size_t view = 0; view < viewCount; ++view) {
        const int p = int(view / 2);
        layout.slot[view][0] = {0xFF, 0};
        for (int u = 1; u < 16; ++u) {
            const int counted = view % 2 ? partition::mirrorTile(u) : u;
            const int g = partition::groupOf(p, counted);
            int local = 0;
            while (partition::partitions[std::size_t(p)][std::size_t(local)] != g)
                ++local;
            layout.slot[view][std::size_t(u)] = {std::uint8_t(local),
                                                 std::uint8_t(partition::orderOf(g, counted))};
        }
        for (std::size_t local = 0; local < 3; ++local) {
            const int g = partition::partitions[std::size_t(p)][local];
            std::uint32_t w = 1;
            for (int i = partition::groups[std::size_t(g)].size - 1; i >= 0; --i) {
                layout.weight[view][local][std::size_t(i)] = w;
                w *= std::uint32_t(16 - i);
            }
            layout.offset[view][local] = std::uint32_t(partition::tableOffset(g));
        }
    }
    for (int u = 1; u < 16; ++u)
        for (int c = 0; c < 16; ++c) {
            const int home = u - 1;
            const int rows = c / 4 > home / 4 ? c / 4 - home / 4 : home / 4 - c / 4;
            const int columns = c % 4 > home % 4 ? c % 4 - home % 4 : home % 4 - c % 4;
            layout.manhattan[std::size_t(u)][std::size_t(c)] = std::uint8_t(rows + columns);
        }
    for (int c = 0; c < 16; ++c) {
        layout.cell[0][std::size_t(c)] = std::uint8_t(c);
        layout.cell[1][std::size_t(c)] = std::uint8_t(partition::mirrorCell(c));
    }
    return layout;
}

inline constexpr Layout layout = makeLayout();

} // namespace detail

// The search's lower bound on the moves left: the Manhattan distance, plus
// twice the largest of the views' sums of table entries. Kept up to date
// move by move: a slide changes one group's placement number in each view,
// so only that entry is looked up again. The first partition's views can be
// looked up alone (first), the others (rest) only when the search still needs
// them; value() is right once both are. Small enough to copy for each node.
class Heuristic {
  public:
    Heuristic(const Board& board, const std::uint8_t* tables);

    int firstValue() const { return manhattan_ + 2 * std::max(sum_[0], sum_[1]); }
    int value() const {
        int most = 0;
        for (const std::int16_t sum : sum_)
            most = std::max(most, int(sum));
        return manhattan_ + 2 * most;
    }

    // Tile slides from cell from to the empty cell to of board (as it was
    // before the slide); the first partition's views apart from the rest, which
    // only the boards that the first leaves in need. The values are right once
    // looked up.
    void slideFirst(const Board& board, int tile, int from, int to) {
        using detail::layout;
        const auto t = std::size_t(tile);
        manhattan_ = std::int16_t(manhattan_ + layout.manhattan[t][std::size_t(to)] -
                                  layout.manhattan[t][std::size_t(from)]);
        slide(board, t, from, to, 0, 2);
    }
    void slideRest(const Board& board, int tile, int from, int to) {
        slide(board, std::size_t(tile), from, to, 2, detail::viewCount);
    }
    void slide(const Board& board, int tile, int from, int to) {
        slideFirst(board, tile, from, to);
        slideRest(board, tile, from, to);
    }

    // Asks for the table bytes that lookUp will read.
    void prefetchFirst(const std::uint8_t* tables) const { prefetch(tables, 0, 2); }
    void prefetchRest(const std::uint8_t* tables) const { prefetch(tables, 2, detail::viewCount); }
    void lookUpFirst(const std::uint8_t* tables) { lookUp(tables, 0, 2); }
    void lookUpRest(const std::uint8_t* tables) { lookUp(tables, 2, detail::viewCount); }

  private:
    void slide(const Board& board, std::size_t t, int from, int to, std::size_t first,
               std::size_t last) {
        using detail::layout;
        for (std::size_t view = first; view < last; ++view) {

            const auto& cell = layout.cell[view % 2];
            const detail::Slot slot = layout.slot[view][t];
            const auto& weight = layout.weight[view][slot.group];
            const int a = cell[std::size_t(from)];
            const int b = cell[std::size_t(to)];
            int digit = b - a;
            std::uint32_t change = 0;
            if (digit == 4 || digit == -4) {
                // The tile's digit moves with it, less the group's earlier
                // tiles that it passes; a later tile that it passes counts it
                // one more or one fewer. Without branches: which tile a slide
                // passes is anyone's guess.
                const int step = digit / 4;
                for (int k = 1; k <= 3; ++k) {
                    const auto passed = std::size_t(board[cell[std::size_t(a + k * step)]]);
                    const detail::Slot other = layout.slot[view][passed];
                    const bool same = other.group == slot.group;
                    digit -= step * int(same && other.order < slot.order);
                    change +=
                        std::uint32_t(step) * (weight[other.order % 6] &
                                               -std::uint32_t(same && other.order > slot.order));
                }
            }
            index_[view][slot.group] += change + std::uint32_t(digit) * weight[slot.order];
            changed_[view] = slot.group;
        }
    }

    const std::uint8_t* address(const std::uint8_t* tables, std::size_t view,
                                std::size_t group) const {
        return tables + detail::layout.offset[view][group] + index_[view][group] / 4;
    }

    void prefetch(const std::uint8_t* tables, std::size_t first, std::size_t last) const {
        for (std::size_t view = first; view < last; ++view)
            __builtin_prefetch(address(tables, view, changed_[view]));
    }

    void lookUp(const std::uint8_t* tables, std::size_t first, std::size_t last) {
        for (std::size_t view = first; view < last; ++view)
            relook(tables, view, changed_[view]);
    }

    void relook(const std::uint8_t* tables, std::size_t view, std::size_t group) {
        const std::uint32_t index = index_[view][group];
        const int entry = *address(tables, view, group) >> (index % 4 * 2) & 3;
        sum_[view] = std::int16_t(sum_[view] + entry - entry_[view][group]);
        entry_[view][group] = std::uint8_t(entry);
    }

    std::array<std::array<std::uint32_t, 3>, detail::viewCount> index_{};
    std::array<std::array<std::uint8_t, 3>, detail::viewCount> entry_{};
    std::array<std::uint8_t, detail::viewCount> changed_{};
    std::array<std::int16_t, detail::viewCount> sum_{};
    std::int16_t manhattan_ = 0;
};

inline Heuristic::Heuristic(const Board& board, const std::uint8_t* tables) {
    using detail::layout;
    std::array<std::array<std::array<std::uint8_t, 6>, 3>, detail::viewCount> place{};
    for (int c = 0; c < 16; ++c) {
        const auto tile = std::size_t(board[std::size_t(c)]);
        if (tile == 0)
            continue;
        manhattan_ = std::int16_t(manhattan_ + layout.manhattan[tile][std::size_t(c)]);
        for (std::size_t view = 0; view < detail::viewCount; ++view) {
            const detail::Slot slot = layout.slot[view][tile];
            place[view][slot.group][slot.order] = layout.cell[view % 2][std::size_t(c)];
        }
    }
    for (std::size_t view = 0; view < detail::viewCount; ++view)
        for (std::size_t g = 0; g < 3; ++g) {
            const int size = partition::groups[partition::partitions[view / 2][g]].size;
            index_[view][g] = rankPlacement(place[view][g], size);
            relook(tables, view, g);
        }
}

} // namespace solver
