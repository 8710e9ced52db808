#include "solver/table_builder.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <functional>
#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <thread>
#endif

#include "solver/partition.h"
#include "solver/placement_rank.h"

namespace solver {

namespace {

using partition::Group;

constexpr std::array<std::uint16_t, 16> makeNextTo() {
    std::array<std::uint16_t, 16> next{};
    for (int c = 0; c < 16; ++c)
        next[std::size_t(c)] = partition::besides(1u << c);
    return next;
}

constexpr std::array<std::uint16_t, 16> nextTo = makeNextTo();

// The position of the n-th set bit of each byte, and the bits set in it, so
// that unranking finds the n-th free cell in a few look-ups, with neither a
// walk over the cells nor an instruction that not every target has.
constexpr std::array<std::array<std::uint8_t, 8>, 256> makeSelect() {
    std::array<std::array<std::uint8_t, 8>, 256> select{};
    for (int byte = 0; byte < 256; ++byte)
        for (int bit = 0, n = 0; bit < 8; ++bit)
            if (byte >> bit & 1)
                select[std::size_t(byte)][std::size_t(n++)] = std::uint8_t(bit);
    return select;
}

constexpr auto selectBit = makeSelect();

constexpr std::array<std::uint8_t, 256> makeBitCount() {
    std::array<std::uint8_t, 256> count{};
    for (int byte = 0; byte < 256; ++byte)
        count[std::size_t(byte)] = std::uint8_t(std::popcount(unsigned(byte)));
    return count;
}

constexpr auto bitCount = makeBitCount();

int nthSet(std::uint32_t mask, std::uint32_t n) {
    const std::uint32_t low = bitCount[mask & 0xFFu];
    return n < low ? selectBit[mask & 0xFFu][n] : 8 + selectBit[mask >> 8 & 0xFFu][n - low];
}

// A set of numbers, one bit each, walked in order.
struct Bits {
    std::vector<std::uint64_t> words;
    explicit Bits(std::size_t count) : words((count + 63) / 64, 0) {}
    void set(std::uint32_t index, std::uint64_t on) { words[index / 64] |= on << (index % 64); }
};

// Sixteen masks of sixteen cells, four to a word: one a cell of the group's
// last tile. Shifts and masks then work on every lane at once.
using Lanes = std::array<std::uint64_t, 4>;

constexpr std::uint64_t everyLane(std::uint64_t cells) {
    return cells * 0x0001000100010001u;
}

// Lane c holding cell c: where the last tile stands, the empty cell cannot.
constexpr Lanes makeOwnCells() {
    Lanes own{};
    for (int c = 0; c < 16; ++c)
        own[std::size_t(c / 4)] |= std::uint64_t(1) << (16 * (c % 4) + c);
    return own;
}

constexpr Lanes ownCells = makeOwnCells();

// Per lane, the cells that the empty cell reaches from start within open;
// the four words grow side by side, as none waits for another.
Lanes reachable(Lanes region, const Lanes& open) {
    for (;;) {
        std::uint64_t changed = 0;
        for (std::size_t w = 0; w < 4; ++w) {
            const std::uint64_t x = region[w];
            const std::uint64_t grown =
                (x | (x << 1 & everyLane(0xEEEE)) | (x >> 1 & everyLane(0x7777)) |
                 (x << 4 & everyLane(0xFFF0)) | (x >> 4 & everyLane(0x0FFF))) &
                open[w];
            changed |= grown ^ x;
            region[w] = grown;
        }
        if (!changed)
            return region;
    }
}

std::uint32_t lane(const Lanes& lanes, int c) {
    return std::uint32_t(lanes[std::size_t(c / 4)] >> (16 * (c % 4)) & 0xFFFFu);
}

// The lanes that hold a cell, as a mask of cells of the last tile.
std::uint32_t nonEmpty(const Lanes& lanes) {
    std::uint32_t mask = 0;
    for (std::size_t w = 0; w < 4; ++w) {
        std::uint64_t x = lanes[w];
        x |= x >> 8;
        x |= x >> 4;
        x |= x >> 2;
        x |= x >> 1;
        x &= everyLane(1);
        // Bits 0, 16, 32, 48 to bits 0 to 3.
        x |= x >> 15;
        x |= x >> 30;
        mask |= std::uint32_t(x & 15) << (4 * w);
    }
    return mask;
}

bool empty(const Lanes& lanes) {
    return !(lanes[0] | lanes[1] | lanes[2] | lanes[3]);
}

// Per prefix (the placement of the group's tiles but the last), the empty
// cells of the states settled, and of those reached at the current level and
// at the next (the two alternate, level by level), a lane per cell of the
// last tile.
struct Block {
    Lanes settled;
    std::array<Lanes, 2> reached;
};

template <int Size>
std::vector<std::array<std::uint8_t, 2>> extraMovesOf(const Group& group, int cap) {
    constexpr int prefixSize = Size - 1;
    constexpr std::size_t count = partition::placements(Size);
    constexpr std::size_t prefixes = partition::placements(prefixSize);
    constexpr std::uint32_t lastDigits = 16 - prefixSize;
    constexpr std::array<std::uint32_t, 6> weight = digitWeights(prefixSize);

    std::array<std::array<std::uint8_t, 16>, Size> manhattan{};
    std::array<std::uint8_t, Size> goal{};
    for (int i = 0; i < Size; ++i) {
        const int home = group.tiles[std::size_t(i)] - 1;
        goal[std::size_t(i)] = std::uint8_t(home);
        for (int c = 0; c < 16; ++c)
            manhattan[std::size_t(i)][std::size_t(c)] =
                std::uint8_t(std::abs(c / 4 - home / 4) + std::abs(c % 4 - home % 4));
    }
    // Per tile and cell, the cells next to it farther from the tile's goal.
    std::array<std::array<std::uint16_t, 16>, Size> awayCells{};
    for (int i = 0; i < Size; ++i)
        for (int c = 0; c < 16; ++c)
            for (std::uint32_t next = nextTo[std::size_t(c)]; next; next &= next - 1) {
                const auto to = std::size_t(std::countr_zero(next));
                auto& away = awayCells[std::size_t(i)][std::size_t(c)];
                if (manhattan[std::size_t(i)][to] > manhattan[std::size_t(i)][std::size_t(c)])
                    away = std::uint16_t(away | 1u << to);
            }
    const auto& lastAwayCells = awayCells[prefixSize];

    std::vector<std::array<std::uint8_t, 2>> extra(count, {std::uint8_t(cap), std::uint8_t(cap)});
    std::vector<Block> blocks(prefixes);
    // Per side of the slides (toward the goal, away from it), the prefixes
    // to expand: at the next level and at this one.
    std::array<Bits, 2> bits{Bits(prefixes), Bits(prefixes)};
    Bits& now = bits[1];
    Bits& later = bits[0];

    const std::uint32_t start = rankPlacement(goal, prefixSize);
    blocks[start].reached[0][std::size_t(goal[prefixSize] / 4)] = std::uint64_t(1u << 15)
                                                                  << (16 * (goal[prefixSize] % 4));
    now.set(start, 1);

    // Expands prefix at level: the states reached and not yet settled, with
    // every region of empty cells they lie in, then every slide of a group
    // tile into those regions. A slide away from the tile's goal cell stays at
    // this level, one toward it costs a level, and is not kept when this
    // level is the last. The last tile's slides stay in the block.
    auto expand = [&](std::uint32_t prefix, int level, bool last) {
        Block& block = blocks[prefix];
        const std::size_t side = std::size_t(level % 2);
        Lanes fresh;
        for (std::size_t w = 0; w < 4; ++w) {
            fresh[w] = block.reached[side][w] & ~block.settled[w];
            block.reached[side][w] = 0;
        }
        if (empty(fresh))
            return;
        std::array<std::uint8_t, Size> cells{};
        std::uint32_t taken = 0;
        {
            std::uint32_t rest = prefix;
            std::array<std::uint32_t, prefixSize> digit{};
            for (int i = prefixSize - 1; i >= 0; --i) {
                digit[std::size_t(i)] = rest % std::uint32_t(16 - i);
                rest /= std::uint32_t(16 - i);
            }
            for (int i = 0; i < prefixSize; ++i) {
                const int cell = nthSet(~taken & 0xFFFFu, digit[std::size_t(i)]);
                cells[std::size_t(i)] = std::uint8_t(cell);
                taken |= 1u << cell;
            }
        }
        Lanes open;
        for (std::size_t w = 0; w < 4; ++w)
            open[w] = everyLane(~taken & 0xFFFFu) & ~ownCells[w];
        // The last tile's slides away from its goal cell, until none is new.
        Lanes settledNow{};
        Lanes toward{};
        while (!empty(fresh)) {
            const Lanes region = reachable(fresh, open);
            for (std::size_t w = 0; w < 4; ++w) {
                block.settled[w] |= region[w];
                settledNow[w] |= region[w];
            }
            Lanes away{};
            for (std::uint32_t lanes = nonEmpty(region); lanes; lanes &= lanes - 1) {
                const int c = std::countr_zero(lanes);
                const std::uint32_t empties = lane(region, c);
                // The last tile's digit counts the free cells before its own.
                const std::uint32_t below = ~taken & ((1u << c) - 1);
                const std::uint32_t index =
                    prefix * lastDigits + bitCount[below & 0xFFu] + bitCount[below >> 8];
                // A cell with no free cell next to it is a region of its own.
                const std::uint32_t free = ~(taken | 1u << c) & 0xFFFFu;
                const std::uint32_t walled = empties & ~partition::besides(free);
                auto& elsewhere = extra[index][0];
                auto& within = extra[index][partition::walledIn];
                if (empties & ~walled && elsewhere == cap)
                    elsewhere = std::uint8_t(level);
                if (walled && within == cap)
                    within = std::uint8_t(level);
                const std::uint32_t slides = nextTo[std::size_t(c)] & empties;
                for (std::uint32_t next = slides & lastAwayCells[std::size_t(c)]; next;
                     next &= next - 1) {
                    const int to = std::countr_zero(next);
                    away[std::size_t(to / 4)] |= std::uint64_t(1) << (16 * (to % 4) + c);
                }
                for (std::uint32_t next = slides & ~lastAwayCells[std::size_t(c)]; next;
                     next &= next - 1) {
                    const int to = std::countr_zero(next);
                    toward[std::size_t(to / 4)] |= std::uint64_t(1) << (16 * (to % 4) + c);
                }
            }
            for (std::size_t w = 0; w < 4; ++w)
                fresh[w] = away[w] & ~block.settled[w];
        }
        if (!last && !empty(toward)) {
            for (std::size_t w = 0; w < 4; ++w)
                block.reached[side ^ 1][w] |= toward[w];
            later.set(prefix, 1);
        }
        // The other tiles' slides lead to other prefixes; the last tile keeps
        // its lane. A vertical slide passes three cells: the tile's digit
        // moves four, less the earlier tiles among them, and each later tile
        // among them counts it one more or one fewer. Per tile, what its
        // slides up and down change the prefix's number by.
        std::array<std::uint32_t, 6> up{}, down{};
        for (int i = 0; i < prefixSize; ++i)
            up[std::size_t(i)] = down[std::size_t(i)] = 4 * weight[std::size_t(i)];
        for (int a = 0; a < prefixSize; ++a)
            for (int b = a + 1; b < prefixSize; ++b) {
                // Tile b lies one to three cells after tile a, or before it.
                const std::uint32_t d =
                    std::uint32_t(cells[std::size_t(b)]) - cells[std::size_t(a)];
                const std::uint32_t ahead = -std::uint32_t(d - 1 < 3);
                const std::uint32_t behind = -std::uint32_t(d + 3 < 3);
                const std::uint32_t wb = weight[std::size_t(b)];
                down[std::size_t(a)] += wb & ahead;
                up[std::size_t(b)] -= wb & ahead;
                up[std::size_t(a)] += wb & behind;
                down[std::size_t(b)] -= wb & behind;
            }
        std::uint64_t anyLane = settledNow[0] | settledNow[1] | settledNow[2] | settledNow[3];
        anyLane |= anyLane >> 32;
        const auto emptyCells = std::uint32_t((anyLane | anyLane >> 16) & 0xFFFFu);
        for (int i = 0; i < prefixSize; ++i) {
            const int from = cells[std::size_t(i)];
            for (std::uint32_t next = nextTo[std::size_t(from)] & emptyCells; next;
                 next &= next - 1) {
                const int to = std::countr_zero(next);
                const bool away = awayCells[std::size_t(i)][std::size_t(from)] >> to & 1;
                if (last && !away)
                    continue;
                Lanes moved;
                for (std::size_t w = 0; w < 4; ++w)
                    moved[w] = (settledNow[w] >> to & everyLane(1)) << from;
                const int step = to - from;
                const std::uint32_t target = step == 1    ? prefix + weight[std::size_t(i)]
                                             : step == -1 ? prefix - weight[std::size_t(i)]
                                             : step == 4  ? prefix + down[std::size_t(i)]
                                                          : prefix - up[std::size_t(i)];
                Block& reached = blocks[target];
                const std::size_t into = side ^ std::size_t(!away);
                std::uint64_t any = 0;
                for (std::size_t w = 0; w < 4; ++w) {
                    const std::uint64_t arrived = moved[w] & ~reached.settled[w];
                    reached.reached[into][w] |= arrived;
                    any |= arrived;
                }
                bits[std::size_t(away)].set(target, any != 0);
            }
        }
    };

    // Called through std::function, so that the WebAssembly optimiser keeps it
    // a function of its own rather than inlining it into the one call that
    // builds a table: V8 runs a WebAssembly function on baseline code at first
    // and moves it to optimised code only at a later call, so the whole build
    // would run on baseline code (a fifth slower in node).
    const std::function<void(std::uint32_t, int, bool)> expandOne = expand;
    // A slide away from a tile's goal cell stays at the level, so a prefix it
    // reaches behind the sweep is expanded again: the sweep goes the way most
    // such slides change the number, downward when the prefix's tiles have
    // their goal cells in the lower half of the board (they mostly slide up
    // and left, away from them).
    int goalCells = 0;
    for (int i = 0; i < prefixSize; ++i)
        goalCells += goal[std::size_t(i)];
    const bool downward = 2 * goalCells > 15 * prefixSize;
    const std::size_t words = now.words.size();
    for (int level = 0; level < cap; ++level) {
        const bool last = level + 1 == cap;
        // Sweeps until none is left at this level: a slide may reach a
        // prefix behind the sweep.
        for (bool any = true; any;) {
            any = false;
            for (std::size_t k = 0; k < words; ++k) {
                const std::size_t w = downward ? words - 1 - k : k;
                while (std::uint64_t word = now.words[w]) {
                    any = true;
                    now.words[w] = 0;
                    while (word) {
                        const int bit =
                            downward ? 63 - std::countl_zero(word) : std::countr_zero(word);
                        word &= ~(std::uint64_t(1) << bit);
                        expandOne(std::uint32_t(w * 64 + std::size_t(bit)), level, last);
                    }
                }
            }
        }
        std::swap(now.words, later.words);
        if (std::all_of(now.words.begin(), now.words.end(), [](std::uint64_t w) { return !w; }))
            break;
    }
    return extra;
}

} // namespace

// A move of a group's tile changes its Manhattan distance by one: toward its
// goal cell it adds nothing to the moves beyond that distance, away from it
// two. So a search from the goal outward, level by level of the moves beyond
// the distance, where within a level the slides away from the goal cost
// nothing, settles each state once and can stop after the last level stored.
// A state is a placement with the region of cells the empty cell can reach
// without moving a group tile. The states are kept by prefix, sixteen
// placements of the last tile side by side, so that one expansion settles
// and moves all of them with a few operations on words.
std::vector<std::array<std::uint8_t, 2>> extraMovesByEmptyCell(const Group& group, int cap) {
    return group.size == 3 ? extraMovesOf<3>(group, cap) : extraMovesOf<6>(group, cap);
}

std::vector<std::uint8_t> extraMoves(const Group& group, int cap) {
    const auto both = extraMovesByEmptyCell(group, cap);
    std::vector<std::uint8_t> fewest(both.size());
    for (std::size_t index = 0; index < both.size(); ++index)
        fewest[index] = std::min(both[index][0], both[index][1]);
    return fewest;
}

std::vector<std::uint8_t> computePatternTables() {
    std::vector<std::uint8_t> tables(partition::totalBytes, 0);
    auto compute = [&](int g) {
        const auto extra =
            extraMovesByEmptyCell(partition::groups[std::size_t(g)], partition::entryCap);
        std::uint8_t* out = &tables[partition::tableOffset(g)];
        // Every table has an even number of placements.
        for (std::size_t index = 0; index < extra.size(); index += 2)
            out[index / 2] = std::uint8_t(extra[index][0] | extra[index][1] << 2 |
                                          extra[index + 1][0] << 4 | extra[index + 1][1] << 6);
    };
#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
    {
        // Two workers, each taking the next group, largest first.
        std::atomic<int> next{0};
        auto work = [&] {
            for (int g; (g = next++) < partition::groupCount;)
                compute(g);
        };
        std::jthread other(work);
        work();
    }
#else
    for (int g = 0; g < partition::groupCount; ++g)
        compute(g);
#endif
    return tables;
}

} // namespace solver
