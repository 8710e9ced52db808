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

// The views of partition.h, laid out for the search. Tile u on cell c counts,
// in a view, as its member's tile on cell toTable[c].
inline constexpr std::size_t viewCount = std::size_t(partition::viewCount);
inline constexpr std::size_t firstViews = std::size_t(partition::firstViews);

struct Slot {
    std::uint8_t member, order; // which member counts the tile, as which tile
};

struct Layout {
    std::array<std::array<Slot, 16>, viewCount> slot{};
    // Per view and member: a cell's image, and the cell of an image.
    std::array<std::array<std::array<std::uint8_t, 16>, 3>, viewCount> toTable{}, toBoard{};
    std::array<std::array<std::uint8_t, 16>, 16> manhattan{};
    // The weight of each tile's digit in its group's placement number, and
    // where the group's table starts, per view and member.
    std::array<std::array<std::array<std::uint32_t, 6>, 3>, viewCount> weight{};
    std::array<std::array<std::uint32_t, 3>, viewCount> offset{};
};

constexpr Layout makeLayout() {
    Layout layout;
    for (std::size_t view = 0; view < viewCount; ++view) {
        layout.slot[view][0] = {0xFF, 0};
        for (int u = 1; u < 16; ++u) {
            const partition::Place place = partition::placeOf(int(view), u);
            layout.slot[view][std::size_t(u)] = {std::uint8_t(place.member),
                                                 std::uint8_t(place.order)};
        }
        for (std::size_t m = 0; m < 3; ++m) {
            const partition::Member member = partition::views[view][m];
            for (int c = 0; c < 16; ++c) {
                const int image = partition::transformCell(member.symmetry, c);
                layout.toTable[view][m][std::size_t(c)] = std::uint8_t(image);
                layout.toBoard[view][m][std::size_t(image)] = std::uint8_t(c);
            }
            std::uint32_t w = 1;
            for (int i = partition::groups[member.group].size - 1; i >= 0; --i) {
                layout.weight[view][m][std::size_t(i)] = w;
                w *= std::uint32_t(16 - i);
            }
            layout.offset[view][m] = std::uint32_t(partition::tableOffset(member.group));
        }
    }
    for (int u = 1; u < 16; ++u)
        for (int c = 0; c < 16; ++c) {
            const int home = u - 1;
            const int rows = c / 4 > home / 4 ? c / 4 - home / 4 : home / 4 - c / 4;
            const int columns = c % 4 > home % 4 ? c % 4 - home % 4 : home % 4 - c % 4;
            layout.manhattan[std::size_t(u)][std::size_t(c)] = std::uint8_t(rows + columns);
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

    int firstValue() const {
        int most = 0;
        for (std::size_t view = 0; view < detail::firstViews; ++view)
            most = std::max(most, int(sum_[view]));
        return manhattan_ + 2 * most;
    }
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
        slide(board, t, from, to, 0, detail::firstViews);
    }
    void slideRest(const Board& board, int tile, int from, int to) {
        slide(board, std::size_t(tile), from, to, detail::firstViews, detail::viewCount);
    }
    void slide(const Board& board, int tile, int from, int to) {
        slideFirst(board, tile, from, to);
        slideRest(board, tile, from, to);
    }

    // Asks for the table bytes that lookUp will read.
    void prefetchFirst(const std::uint8_t* tables) const {
        prefetch(tables, 0, detail::firstViews);
    }
    void prefetchRest(const std::uint8_t* tables) const {
        prefetch(tables, detail::firstViews, detail::viewCount);
    }
    void lookUpFirst(const std::uint8_t* tables) { lookUp(tables, 0, detail::firstViews); }
    void lookUpRest(const std::uint8_t* tables) {
        lookUp(tables, detail::firstViews, detail::viewCount);
    }

  private:
    void slide(const Board& board, std::size_t t, int from, int to, std::size_t first,
               std::size_t last) {
        using detail::layout;
        for (std::size_t view = first; view < last; ++view) {

            const detail::Slot slot = layout.slot[view][t];
            const auto& toTable = layout.toTable[view][slot.member];
            const auto& toBoard = layout.toBoard[view][slot.member];
            const auto& weight = layout.weight[view][slot.member];
            const int a = toTable[std::size_t(from)];
            const int b = toTable[std::size_t(to)];
            int digit = b - a;
            std::uint32_t change = 0;
            if (digit == 4 || digit == -4) {
                // The tile's digit moves with it, less the group's earlier
                // tiles that it passes; a later tile that it passes counts it
                // one more or one fewer. Without branches: which tile a slide
                // passes is anyone's guess.
                const int step = digit / 4;
                for (int k = 1; k <= 3; ++k) {
                    const auto passed = std::size_t(board[toBoard[std::size_t(a + k * step)]]);
                    const detail::Slot other = layout.slot[view][passed];
                    const bool same = other.member == slot.member;
                    digit -= step * int(same && other.order < slot.order);
                    change +=
                        std::uint32_t(step) * (weight[other.order % 6] &
                                               -std::uint32_t(same && other.order > slot.order));
                }
            }
            index_[view][slot.member] += change + std::uint32_t(digit) * weight[slot.order];
            changed_[view] = slot.member;
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
            place[view][slot.member][slot.order] =
                layout.toTable[view][slot.member][std::size_t(c)];
        }
    }
    for (std::size_t view = 0; view < detail::viewCount; ++view)
        for (std::size_t g = 0; g < 3; ++g) {
            const int size = partition::groups[partition::views[view][g].group].size;
            index_[view][g] = rankPlacement(place[view][g], size);
            relook(tables, view, g);
        }
}

} // namespace solver
