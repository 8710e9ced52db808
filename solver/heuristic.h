// The search's lower bound on the moves left: the Manhattan distance, plus
// twice the sum of the pattern table entries of the groups, for the board and
// for its mirror image about the main diagonal (the same puzzle with the same
// goal, so the same tables apply), whichever sum is larger.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "solver/partition.h"
#include "solver/pattern_tables.h"
#include "solver/placement_rank.h"
#include "solver/solver.h"

namespace solver {

namespace detail {

// Where a tile's cell goes in each view: tile u on cell c is, on the mirror
// image, tile mirrorTile(u) on cell mirrorCell(c).
struct Slot {
    std::uint8_t group, order;
};

struct Layout {
    std::array<std::array<Slot, 16>, 2> slot{};
    std::array<std::array<std::uint8_t, 16>, 2> cell{};
    std::array<std::array<std::uint8_t, 16>, 16> manhattan{};
};

constexpr Layout makeLayout() {
    Layout layout;
    for (int u = 1; u < 16; ++u) {
        const auto tile = std::size_t(u);
        layout.slot[0][tile] = {std::uint8_t(partition::groupOf(u)),
                                std::uint8_t(partition::orderOf(u))};
        const int mirrored = partition::mirrorTile(u);
        layout.slot[1][tile] = {std::uint8_t(partition::groupOf(mirrored)),
                                std::uint8_t(partition::orderOf(mirrored))};
        for (int c = 0; c < 16; ++c) {
            const int home = u - 1;
            const int rows = c / 4 > home / 4 ? c / 4 - home / 4 : home / 4 - c / 4;
            const int columns = c % 4 > home % 4 ? c % 4 - home % 4 : home % 4 - c % 4;
            layout.manhattan[tile][std::size_t(c)] = std::uint8_t(rows + columns);
        }
    }
    for (int c = 0; c < 16; ++c) {
        layout.cell[0][std::size_t(c)] = std::uint8_t(c);
        layout.cell[1][std::size_t(c)] = std::uint8_t(partition::mirrorCell(c));
    }
    return layout;
}

inline constexpr Layout layout = makeLayout();

} // namespace detail

// Kept up to date move by move: a slide changes one group's placement in each
// view, so only those two entries are looked up again. Small enough to copy
// for each node.
class Heuristic {
  public:
    Heuristic(const Board& board, const std::uint8_t* tables);

    int value() const { return manhattan_ + 2 * std::max(sum_[0], sum_[1]); }

    void slide(int tile, int from, int to, const std::uint8_t* tables) {
        const auto t = std::size_t(tile);
        manhattan_ = std::int16_t(manhattan_ + detail::layout.manhattan[t][std::size_t(to)] -
                                  detail::layout.manhattan[t][std::size_t(from)]);
        for (std::size_t view = 0; view < 2; ++view) {
            const detail::Slot slot = detail::layout.slot[view][t];
            place_[view][slot.group][slot.order] = detail::layout.cell[view][std::size_t(to)];
            relook(view, slot.group, tables);
        }
    }

  private:
    void relook(std::size_t view, std::size_t group, const std::uint8_t* tables) {
        const int size = partition::groups[group].size;
        const std::uint32_t index = size == 6 ? rankPlacement(place_[view][group], 6)
                                              : rankPlacement(place_[view][group], size);
        const int entry = patternEntry(tables + partition::tableOffset(int(group)), index);
        sum_[view] = std::int16_t(sum_[view] + entry - entry_[view][group]);
        entry_[view][group] = std::uint8_t(entry);
    }

    // The cells of each group's tiles, in the group's order, per view.
    std::array<std::array<std::array<std::uint8_t, 6>, partition::groupCount>, 2> place_{};
    std::array<std::array<std::uint8_t, partition::groupCount>, 2> entry_{};
    std::array<std::int16_t, 2> sum_{};
    std::int16_t manhattan_ = 0;
};

inline Heuristic::Heuristic(const Board& board, const std::uint8_t* tables) {
    for (int c = 0; c < 16; ++c) {
        const int tile = board[std::size_t(c)];
        if (tile == 0)
            continue;
        const auto t = std::size_t(tile);
        manhattan_ = std::int16_t(manhattan_ + detail::layout.manhattan[t][std::size_t(c)]);
        for (std::size_t view = 0; view < 2; ++view) {
            const detail::Slot slot = detail::layout.slot[view][t];
            place_[view][slot.group][slot.order] = detail::layout.cell[view][std::size_t(c)];
        }
    }
    for (std::size_t view = 0; view < 2; ++view)
        for (std::size_t g = 0; g < std::size_t(partition::groupCount); ++g)
            relook(view, g, tables);
}

} // namespace solver
