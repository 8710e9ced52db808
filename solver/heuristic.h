// The search's lower bound on the moves left: the Manhattan distance, plus
// twice the sum of the groups' pattern table entries, for the board and for
// its mirror image about the main diagonal (the same puzzle with the same
// goal, so the same tables apply), whichever sum is larger.
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

// Where a tile counts in each view: tile u on cell c is, on the mirror image,
// tile mirrorTile(u) on cell mirrorCell(c).
struct Slot {
    std::uint8_t group, order;
};

struct Layout {
    std::array<std::array<Slot, 16>, 2> slot{};
    std::array<std::array<std::uint8_t, 16>, 2> cell{};
    std::array<std::array<std::uint8_t, 16>, 16> manhattan{};
    // The weight of each tile's digit in its group's placement number.
    std::array<std::array<std::uint32_t, 6>, partition::groupCount> weight{};
    std::array<std::uint32_t, partition::groupCount> offset{};
};

constexpr Layout makeLayout() {
    Layout layout;
    layout.slot[0][0] = layout.slot[1][0] = {0xFF, 0};
    for (int u = 1; u < 16; ++u) {
        const auto tile = std::size_t(u);
        const int mirrored = partition::mirrorTile(u);
        layout.slot[0][tile] = {std::uint8_t(partition::groupOf(u)),
                                std::uint8_t(partition::orderOf(u))};
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
    for (int g = 0; g < partition::groupCount; ++g) {
        std::uint32_t w = 1;
        for (int i = partition::groups[std::size_t(g)].size - 1; i >= 0; --i) {
            layout.weight[std::size_t(g)][std::size_t(i)] = w;
            w *= std::uint32_t(16 - i);
        }
        layout.offset[std::size_t(g)] = std::uint32_t(partition::tableOffset(g));
    }
    return layout;
}

inline constexpr Layout layout = makeLayout();

} // namespace detail

// Kept up to date move by move: a slide changes one group's placement number
// in each view, so only those two entries are looked up again. Small enough
// to copy for each node.
class Heuristic {
  public:
    Heuristic(const Board& board, const std::uint8_t* tables);

    int value() const { return manhattan_ + 2 * std::max(sum_[0], sum_[1]); }

    // Tile slides from cell from to the empty cell to of board (as it was
    // before the slide). The value is right once lookUp has been called.
    void slide(const Board& board, int tile, int from, int to) {
        using detail::layout;
        const auto t = std::size_t(tile);
        manhattan_ = std::int16_t(manhattan_ + layout.manhattan[t][std::size_t(to)] -
                                  layout.manhattan[t][std::size_t(from)]);
        for (std::size_t view = 0; view < 2; ++view) {
            const detail::Slot slot = layout.slot[view][t];
            const auto& weight = layout.weight[slot.group];
            const int a = layout.cell[view][std::size_t(from)];
            const int b = layout.cell[view][std::size_t(to)];
            int digit = b - a;
            std::uint32_t change = 0;
            if (digit == 4 || digit == -4) {
                // The tile's digit moves with it, less the group's earlier
                // tiles that it passes; a later tile that it passes counts it
                // one more or one fewer. Without branches: which tile a slide
                // passes is anyone's guess.
                const int step = digit / 4;
                for (int k = 1; k <= 3; ++k) {
                    const auto passed =
                        std::size_t(board[layout.cell[view][std::size_t(a + k * step)]]);
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

    // Asks for the table bytes that lookUp will read.
    void prefetch(const std::uint8_t* tables) const {
        for (std::size_t view = 0; view < 2; ++view)
            __builtin_prefetch(address(tables, view, changed_[view]));
    }

    void lookUp(const std::uint8_t* tables) {
        for (std::size_t view = 0; view < 2; ++view)
            relook(tables, view, changed_[view]);
    }

  private:
    const std::uint8_t* address(const std::uint8_t* tables, std::size_t view,
                                std::size_t group) const {
        return tables + detail::layout.offset[group] + index_[view][group] / 2;
    }

    void relook(const std::uint8_t* tables, std::size_t view, std::size_t group) {
        const std::uint32_t index = index_[view][group];
        const int entry = *address(tables, view, group) >> (index % 2 * 4) & 15;
        sum_[view] = std::int16_t(sum_[view] + entry - entry_[view][group]);
        entry_[view][group] = std::uint8_t(entry);
    }

    std::array<std::array<std::uint32_t, partition::groupCount>, 2> index_{};
    std::array<std::array<std::uint8_t, partition::groupCount>, 2> entry_{};
    std::array<std::uint8_t, 2> changed_{};
    std::array<std::int16_t, 2> sum_{};
    std::int16_t manhattan_ = 0;
};

inline Heuristic::Heuristic(const Board& board, const std::uint8_t* tables) {
    using detail::layout;
    std::array<std::array<std::array<std::uint8_t, 6>, partition::groupCount>, 2> place{};
    for (int c = 0; c < 16; ++c) {
        const auto tile = std::size_t(board[std::size_t(c)]);
        if (tile == 0)
            continue;
        manhattan_ = std::int16_t(manhattan_ + layout.manhattan[tile][std::size_t(c)]);
        for (std::size_t view = 0; view < 2; ++view) {
            const detail::Slot slot = layout.slot[view][tile];
            place[view][slot.group][slot.order] = layout.cell[view][std::size_t(c)];
        }
    }
    for (std::size_t view = 0; view < 2; ++view)
        for (std::size_t g = 0; g < std::size_t(partition::groupCount); ++g) {
            index_[view][g] = rankPlacement(place[view][g], partition::groups[g].size);
            relook(tables, view, g);
        }
}

} // namespace solver
