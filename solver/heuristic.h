// The search's lower bound on the moves left, from the pattern tables.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
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
inline constexpr std::size_t pairedCount = std::size_t(partition::pairedCount);

struct Slot {
    std::uint8_t member, order; // which member counts the tile, as which tile
};

// How a view reads one tile.
struct Reading {
    std::uint8_t member;
    // Per cell, the bits that turn the cell's code in the member's word (see
    // TableCells) from none to the tile's order and back, and its bit of the
    // member's cells.
    std::array<std::uint64_t, 16> toggle;
};

// A slide, numbered by the cell the tile leaves and the way it goes.
enum Way { up, left, right, down };

constexpr bool adjacent(int from, int to) {
    return to >= 0 && to < 16 &&
           (to == from - 4 || to == from + 4 ||
            (to / 4 == from / 4 && (to == from - 1 || to == from + 1)));
}

constexpr int moveOf(int from, int to) {
    const int way = to == from - 4 ? up : to == from - 1 ? left : to == from + 1 ? right : down;
    return 4 * from + way;
}

// Where, in a member's word of TableCells, the bits of the board's cells
// start, above the 16 three-bit codes of the table's cells.
inline constexpr int cellBits = 48;

// Whether the member whose word (TableCells) this is holds every one of the
// cells around, as placed in the word: an empty cell with those neighbours
// is walled in by its tiles.
constexpr bool wallsIn(std::uint64_t word, std::uint64_t around) {
    return (around & ~word) == 0;
}

// Per move (moveOf), as bits: the cells next to the one it leaves but the one
// it enters, which the empty cell then has around it, placed as the cells
// are in TableCells' words; and a 1 in the four bits of either cell, so that
// a slide of tile changes a board packed four bits a cell by tile times
// nibbles.
struct MoveCells {
    std::uint64_t around, nibbles;
    std::int64_t step; // the cell entered less the cell left
};

constexpr std::array<MoveCells, 64> makeMoveCells() {
    std::array<MoveCells, 64> all{};
    for (int from = 0; from < 16; ++from)
        for (const int to : {from - 4, from - 1, from + 1, from + 4})
            if (adjacent(from, to)) {
                const unsigned around = partition::besides(1u << from) & ~(1u << to);
                all[std::size_t(moveOf(from, to))] = {
                    std::uint64_t(around) << cellBits,
                    std::uint64_t(1) << (4 * from) | std::uint64_t(1) << (4 * to), to - from};
            }
    return all;
}

inline constexpr std::array<MoveCells, 64> moveCells = makeMoveCells();

// What a slide of a tile does to its placement number in one view: the
// member whose number changes, where its row of Layout::jumps starts, and the
// shift and mask that bring the codes of the three cells a jump passes to the
// low bits of the member's word (TableCells). Along a row of the table the
// mask is 0, so the change is the row's entry 0. A slide backward in the
// table reads a row that holds the changes negated.
struct Step {
    std::uint8_t member, shift;
    std::uint16_t mask, row;
};

// Everything a slide of one tile does, side by side for the views, so that a
// child reads one 64-byte record, not one a view: each view's Step, and the
// bits that move the tile's code and cell between the two cells in its
// member's word (TableCells).
struct alignas(64) Slide {
    std::array<Step, viewCount> step;
    std::array<std::uint64_t, viewCount> toggle;
};
static_assert(sizeof(Slide) == 64);

// Where a tile's cell counts in the paired groups' cells (Heuristic): for
// each paired group that holds it, a 1 at the low bit of its digit; and which
// of the groups hold it, as bits.
struct PairedTile {
    std::uint64_t digits;
    std::uint8_t groups;
};

struct Layout {
    std::array<std::array<Slot, 16>, viewCount> slot{};
    std::array<PairedTile, 16> pairedTile{};
    std::array<std::uint32_t, pairedCount> pairedOffset{};
    // Per view and member: a cell's image, and the cell of an image.
    std::array<std::array<std::array<std::uint8_t, 16>, 3>, viewCount> toTable{}, toBoard{};
    std::array<std::array<std::uint8_t, 16>, 16> manhattan{};
    // The weight of each tile's digit in its group's placement number, and
    // where the group's table starts, per view and member.
    std::array<std::array<std::array<std::uint32_t, 6>, 3>, viewCount> weight{};
    std::array<std::array<std::uint32_t, 3>, viewCount> offset{};
    std::array<std::array<Reading, 16>, viewCount> reading{};
    // Per tile and move (moveOf).
    std::array<std::array<Slide, 64>, 16> slide{};
    std::array<std::array<std::int8_t, 64>, 16> manhattanChange{};
    // How a placement number changes when a tile jumps a row of its table
    // forward, past three cells: per row (the sizes 6 and 3, then the tile's
    // order; 512 entries a row) and the three cells' codes as in TableCells.
    // Code 0 (the tile of order 0 on all three) never comes up, so entry 0
    // holds the change of a slide along a row, the digit's weight. Rows 12 on
    // hold the changes of the same slides backward, negated, so that a slide
    // only adds.
    std::array<std::uint32_t, 24 * 512> jumps{};
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
            layout.weight[view][m] = digitWeights(partition::groups[member.group].size);
            layout.offset[view][m] = std::uint32_t(partition::tableOffset(member.group));
        }
    }
    for (std::size_t view = 0; view < viewCount; ++view)
        for (std::size_t u = 1; u < 16; ++u) {
            const Slot slot = layout.slot[view][u];
            Reading& reading = layout.reading[view][u];
            reading.member = slot.member;
            for (std::size_t c = 0; c < 16; ++c)
                reading.toggle[c] = std::uint64_t(7 ^ slot.order)
                                        << (3 * layout.toTable[view][slot.member][c]) |
                                    std::uint64_t(1) << (detail::cellBits + c);
        }
    for (int row = 0; row < 12; ++row) {
        const int size = row < 6 ? 6 : 3, order = row % 6;
        const std::array<std::uint32_t, 6> weight = digitWeights(size);
        for (std::uint32_t code = 0; code < 512; ++code) {
            // The tile's digit grows by four, less the earlier tiles it
            // passes; each later tile it passes counts one more below it.
            std::uint32_t change = order < size ? 4 * weight[std::size_t(order)] : 0;
            for (int k = 0; k < 3 && order < size; ++k) {
                const int other = int(code >> (3 * k) & 7);
                if (other >= size)
                    continue;
                change += other < order   ? -weight[std::size_t(order)]
                          : other > order ? weight[std::size_t(other)]
                                          : 0;
            }
            layout.jumps[std::size_t(row) * 512 + code] = change;
        }
        layout.jumps[std::size_t(row) * 512] = order < size ? weight[std::size_t(order)] : 0;
        for (std::size_t code = 0; code < 512; ++code)
            layout.jumps[std::size_t(row + 12) * 512 + code] =
                0 - layout.jumps[std::size_t(row) * 512 + code];
    }
    for (std::size_t g = 0; g < pairedCount; ++g) {
        const partition::Group& group = partition::groups[partition::paired[g].group];
        layout.pairedOffset[g] = std::uint32_t(partition::tableOffset(partition::paired[g].group));
        for (int order = 0; order < group.size; ++order) {
            PairedTile& tile = layout.pairedTile[group.tiles[std::size_t(order)]];
            tile.digits |= std::uint64_t(1) << (16 * g + 4 * std::size_t(2 - order));
            tile.groups = std::uint8_t(tile.groups | 1u << g);
        }
    }
    for (int u = 1; u < 16; ++u)
        for (int c = 0; c < 16; ++c) {
            const int home = u - 1;
            const int rows = c / 4 > home / 4 ? c / 4 - home / 4 : home / 4 - c / 4;
            const int columns = c % 4 > home % 4 ? c % 4 - home % 4 : home % 4 - c % 4;
            layout.manhattan[std::size_t(u)][std::size_t(c)] = std::uint8_t(rows + columns);
        }
    // Every slide of every tile: its change of Manhattan distance, and its
    // record in each view.
    for (std::size_t u = 1; u < 16; ++u)
        for (int from = 0; from < 16; ++from)
            for (const int to : {from - 4, from - 1, from + 1, from + 4}) {
                if (!adjacent(from, to))
                    continue;
                const auto move = std::size_t(moveOf(from, to));
                layout.manhattanChange[u][move] = std::int8_t(
                    layout.manhattan[u][std::size_t(to)] - layout.manhattan[u][std::size_t(from)]);
                for (std::size_t view = 0; view < viewCount; ++view) {
                    const Slot slot = layout.slot[view][u];
                    const int size =
                        partition::groups[partition::views[view][slot.member].group].size;
                    const auto& image = layout.toTable[view][slot.member];
                    const int a = image[std::size_t(from)], b = image[std::size_t(to)];
                    const bool jump = b - a == 4 || a - b == 4;
                    Slide& slide = layout.slide[u][move];
                    const int row = (b < a ? 12 : 0) + (size == 6 ? 0 : 6) + slot.order;
                    slide.step[view] = {slot.member,
                                        std::uint8_t(jump ? 3 * std::min(a, b) + 3 : 0),
                                        std::uint16_t(jump ? 511 : 0), std::uint16_t(row * 512)};
                    const auto& toggle = layout.reading[view][u].toggle;
                    slide.toggle[view] = toggle[std::size_t(from)] ^ toggle[std::size_t(to)];
                }
            }
    return layout;
}

inline constexpr Layout layout = makeLayout();

} // namespace detail

// Which of a member's tiles stands on each cell of its table, three bits a
// cell (7: none of them), per view and member. A slide that jumps a row of a
// table passes the three cells between, and their codes side by side pick
// the change of its placement number from one table. Above the codes, 16
// bits tell which cells of the board hold the member's tiles: one word read
// answers both.
class TableCells {
  public:
    explicit TableCells(const Board& board) {
        for (auto& members : words_)
            members.fill(~std::uint64_t(0) >> 16);
        for (int c = 0; c < 16; ++c)
            if (board[std::size_t(c)] != 0)
                toggle(board[std::size_t(c)], c);
    }

    // Tile makes move (detail::moveOf), or undoes it.
    void slide(int tile, int move) {
        const detail::Slide& slide = detail::layout.slide[std::size_t(tile)][std::size_t(move)];
        for (std::size_t view = 0; view < detail::viewCount; ++view)
            words_[view][slide.step[view].member] ^= slide.toggle[view];
    }
    // Tile slides from cell from to the empty cell to.
    void slide(int tile, int from, int to) { slide(tile, detail::moveOf(from, to)); }

    std::uint64_t word(std::size_t view, std::size_t member) const { return words_[view][member]; }

  private:
    // Tile comes onto cell, which held none of its member's tiles, or leaves it.
    void toggle(int tile, int cell) {
        using detail::layout;
        for (std::size_t view = 0; view < detail::viewCount; ++view) {
            const detail::Reading& reading = layout.reading[view][std::size_t(tile)];
            words_[view][reading.member] ^= reading.toggle[std::size_t(cell)];
        }
    }

    std::array<std::array<std::uint64_t, 3>, detail::viewCount> words_;
};

// The search's lower bound on the moves left: the Manhattan distance, plus
// twice the largest of the views' sums of table entries, the paired views'
// among them. Kept up to date move by move: a slide changes one group's
// placement number in each view, so only that entry is looked up again. The
// first partition's views can be looked up alone (first), the others (rest)
// only when the search still needs them; value() is right once both are.
// Small enough to copy for each node.
class Heuristic {
  public:
    Heuristic(const Board& board, const std::uint8_t* tables);

    int firstValue() const {
        int most = 0;
        for (std::size_t view = 0; view < detail::firstViews; ++view)
            most = std::max(most, int(sum_[view]));
        return manhattan_ + 2 * most;
    }
    // The part of the bound that is the Manhattan distance.
    int manhattan() const { return manhattan_; }
    int value() const {
        int most = 0;
        for (const std::int16_t sum : sum_)
            most = std::max(most, int(sum));
        for (std::size_t p = 0; p < detail::pairedCount; ++p) {
            const auto& [a, b] = partition::paired[p].large;
            most = std::max(most, entry_[a[0]][a[1]] + entry_[b[0]][b[1]] + pairedEntry_[p]);
        }
        return manhattan_ + 2 * most;
    }

    // Tile slides by move (detail::moveOf) into the empty cell, cells being the
    // board before the slide. The values are right once looked up.
    void slide(const TableCells& cells, int tile, int move) {
        using detail::layout;
        const auto t = std::size_t(tile), m = std::size_t(move);
        manhattan_ = std::int16_t(manhattan_ + layout.manhattanChange[t][m]);
        const detail::Slide& slide = layout.slide[t][m];
        // The empty cell comes onto the cell the tile leaves; its other
        // neighbours keep their tiles.
        const std::uint64_t around = detail::moveCells[m].around;
        for (std::size_t view = 0; view < detail::viewCount; ++view) {
            const detail::Step step = slide.step[view];
            const std::uint64_t word = cells.word(view, step.member);
            index_[view][step.member] += layout.jumps[step.row + (word >> step.shift & step.mask)];
            changed_[view] = step.member;
            walled_[view] = detail::wallsIn(word, around);
        }
        const detail::PairedTile& paired = layout.pairedTile[t];
        pairedCells_ += std::uint64_t(detail::moveCells[m].step * std::int64_t(paired.digits));
        pairedChanged_ = paired.groups;
        move_ = std::uint8_t(move);
    }
    // Tile slides from cell from to the empty cell to.
    void slide(const TableCells& cells, int tile, int from, int to) {
        slide(cells, tile, detail::moveOf(from, to));
    }

    // Asks for the table bytes that the look-ups will read: every view's at
    // once, though the first partition's may leave the rest unread, so that
    // one wait covers both.
    void prefetch(const std::uint8_t* tables) const {
        for (std::size_t view = 0; view < detail::viewCount; ++view)
            __builtin_prefetch(address(tables, view, changed_[view]));
    }
    // The first partition's views alone, then the rest, which only the boards
    // that the first leaves in need.
    void lookUpFirst(const std::uint8_t* tables) { lookUp(tables, 0, detail::firstViews); }
    void lookUpRest(const std::uint8_t* tables) {
        lookUp(tables, detail::firstViews, detail::viewCount);
        const std::uint64_t around = detail::moveCells[move_].around >> detail::cellBits;
        for (unsigned changed = pairedChanged_; changed != 0; changed &= changed - 1)
            relookPaired(tables, std::size_t(std::countr_zero(changed)), around);
    }

  private:
    const std::uint8_t* address(const std::uint8_t* tables, std::size_t view,
                                std::size_t group) const {
        return tables + index_[view][group] / 2;
    }

    void lookUp(const std::uint8_t* tables, std::size_t first, std::size_t last) {
        for (std::size_t view = first; view < last; ++view)
            relook(tables, view, changed_[view], walled_[view]);
    }

    // The other members' entries stay right as the empty cell moves: it
    // leaves a cell next to a tile not theirs, and comes onto one.
    void relook(const std::uint8_t* tables, std::size_t view, std::size_t group, bool walled) {
        const std::uint32_t index = index_[view][group];
        const int entry = *address(tables, view, group) >> (index % 2 * 4 + 2 * walled) & 3;
        sum_[view] = std::int16_t(sum_[view] + entry - entry_[view][group]);
        entry_[view][group] = std::uint8_t(entry);
    }

    // A paired group's entry, around being the cells next to the empty cell
    // but the one the last slide's tile entered (it is the group's if the
    // group moved).
    void relookPaired(const std::uint8_t* tables, std::size_t p, std::uint64_t around) {
        const auto digits = unsigned(pairedCells_ >> (16 * p));
        const unsigned a = digits >> 8 & 15, b = digits >> 4 & 15, c = digits & 15;
        const bool walled = (around & ~std::uint64_t(1u << a | 1u << b | 1u << c)) == 0;
        // rankPlacement's number of the three cells.
        const unsigned number = a * 210 + (b - (b > a)) * 14 + (c - (c > a) - (c > b));
        const std::uint8_t byte = tables[detail::layout.pairedOffset[p] + number / 2];
        pairedEntry_[p] = std::uint8_t(byte >> (number % 2 * 4 + 2 * walled) & 3);
    }

    // Each group's placement among all the tables: twice its table's offset
    // plus its placement number.
    std::array<std::array<std::uint32_t, 3>, detail::viewCount> index_{};
    std::array<std::array<std::uint8_t, 3>, detail::viewCount> entry_{};
    std::array<std::uint8_t, detail::viewCount> changed_{};
    // Whether the changed member's tiles wall the empty cell in, per view.
    std::array<bool, detail::viewCount> walled_{};
    std::array<std::int16_t, detail::viewCount> sum_{};
    std::int16_t manhattan_ = 0;
    // The cells of each paired group's tiles, a digit of four bits a tile in
    // the order of the group, sixteen bits a group; their entries; which of
    // them the last slide moved, and the slide.
    std::uint64_t pairedCells_ = 0;
    std::array<std::uint8_t, detail::pairedCount> pairedEntry_{};
    std::uint8_t pairedChanged_ = 0;
    std::uint8_t move_ = 0;
};

inline Heuristic::Heuristic(const Board& board, const std::uint8_t* tables) {
    using detail::layout;
    std::array<std::array<std::array<std::uint8_t, 6>, 3>, detail::viewCount> place{};
    const TableCells cells(board);
    int empty = 0;
    for (int c = 0; c < 16; ++c) {
        const auto tile = std::size_t(board[std::size_t(c)]);
        if (tile == 0) {
            empty = c;
            continue;
        }
        manhattan_ = std::int16_t(manhattan_ + layout.manhattan[tile][std::size_t(c)]);
        pairedCells_ += std::uint64_t(c) * layout.pairedTile[tile].digits;
        for (std::size_t view = 0; view < detail::viewCount; ++view) {
            const detail::Slot slot = layout.slot[view][tile];
            place[view][slot.member][slot.order] =
                layout.toTable[view][slot.member][std::size_t(c)];
        }
    }
    const std::uint64_t around = std::uint64_t(partition::besides(1u << empty)) << detail::cellBits;
    for (std::size_t view = 0; view < detail::viewCount; ++view)
        for (std::size_t g = 0; g < 3; ++g) {
            const int size = partition::groups[partition::views[view][g].group].size;
            index_[view][g] = 2 * layout.offset[view][g] + rankPlacement(place[view][g], size);
            relook(tables, view, g, detail::wallsIn(cells.word(view, g), around));
        }
    for (std::size_t p = 0; p < detail::pairedCount; ++p)
        relookPaired(tables, p, around >> detail::cellBits);
}

} // namespace solver
