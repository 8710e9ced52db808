#include "solver/table_builder.h"

#include <algorithm>
#include <atomic>
#include <bit>
#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <thread>
#endif

#include "solver/partition.h"
#include "solver/placement_rank.h"

namespace solver {

namespace {

using partition::Group;
using Cells = std::array<std::uint8_t, 6>;

// The cells that the empty cell can reach from start without moving a tile
// of the group (the other tiles are free to move at no cost).
std::uint32_t reachable(int start, std::uint32_t open) {
    std::uint32_t region = 1u << start;
    for (;;) {
        const std::uint32_t grown = (region | (region << 1 & ~0x1111u) | (region >> 1 & ~0x8888u) |
                                     region << 4 | region >> 4) &
                                    open;
        if (grown == region)
            return region;
        region = grown;
    }
}

constexpr std::array<std::uint16_t, 16> makeNextTo() {
    std::array<std::uint16_t, 16> next{};
    for (int c = 0; c < 16; ++c) {
        std::uint32_t m = 0;
        if (c % 4 > 0)
            m |= 1u << (c - 1);
        if (c % 4 < 3)
            m |= 1u << (c + 1);
        if (c >= 4)
            m |= 1u << (c - 4);
        if (c < 12)
            m |= 1u << (c + 4);
        next[std::size_t(c)] = std::uint16_t(m);
    }
    return next;
}

constexpr std::array<std::uint16_t, 16> nextTo = makeNextTo();

// The weight of each tile's digit in rankPlacement's number.
template <int Size> constexpr std::array<std::uint32_t, 6> digitWeights() {
    std::array<std::uint32_t, 6> weight{};
    std::uint32_t w = 1;
    for (int i = Size - 1; i >= 0; --i) {
        weight[std::size_t(i)] = w;
        w *= std::uint32_t(16 - i);
    }
    return weight;
}

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

// Per placement: the empty cells of the states settled, and of those reached
// at the current level and at the next (the two alternate, level by level).
struct Marks {
    std::uint16_t settled;
    std::array<std::uint16_t, 2> reached;
};

// A set of placements, one bit each, walked in the order of their numbers.
struct Bits {
    std::vector<std::uint64_t> words;
    explicit Bits(std::size_t count) : words((count + 63) / 64, 0) {}
    void set(std::uint32_t index, std::uint64_t on) { words[index / 64] |= on << (index % 64); }
};

// A slide found: the placement it leads to, the empty cell it leaves there,
// and whether it moved its tile away from the goal cell.
struct Slide {
    std::uint32_t after;
    std::uint16_t bit;
    std::uint16_t away;
};

template <int Size> std::vector<std::uint8_t> extraMovesOf(const Group& group, int cap) {
    constexpr std::size_t count = partition::placements(Size);
    constexpr std::array<std::uint32_t, 6> weight = digitWeights<Size>();
    std::vector<std::uint8_t> extra(count, std::uint8_t(cap));
    std::vector<Marks> marks(count, Marks{});
    // Per side of the slides (toward the goal, away from it), the placements
    // to expand: at the next level and at this one.
    std::array<Bits, 2> bits{Bits(count), Bits(count)};
    Bits& now = bits[1];
    Bits& later = bits[0];

    std::array<std::array<std::uint8_t, 16>, Size> manhattan{};
    std::array<std::uint8_t, Size> goal{};
    for (int i = 0; i < Size; ++i) {
        const int home = group.tiles[std::size_t(i)] - 1;
        goal[std::size_t(i)] = std::uint8_t(home);
        for (int c = 0; c < 16; ++c)
            manhattan[std::size_t(i)][std::size_t(c)] =
                std::uint8_t(std::abs(c / 4 - home / 4) + std::abs(c % 4 - home % 4));
    }
    const std::uint32_t start = rankPlacement(goal, Size);
    marks[start].reached[0] = 1u << 15;
    now.set(start, 1);

    // The slides of the placement expanded last, applied once the next one
    // is expanded, so that the marks they lead to are fetched meanwhile.
    // Without branches: whether a slide leads anywhere new is anyone's guess.
    std::array<Slide, 4 * 6 * 2> pending{};
    int pendingCount = 0;
    auto apply = [&](std::size_t side, bool last) {
        for (int n = 0; n < pendingCount; ++n) {
            const Slide& slide = pending[std::size_t(n)];
            Marks& next = marks[slide.after];
            const std::uint32_t fresh =
                slide.bit & ~std::uint32_t(next.settled) & -std::uint32_t(slide.away || !last);
            const std::size_t to = side ^ (slide.away ^ 1u);
            next.reached[to] = std::uint16_t(next.reached[to] | fresh);
            bits[slide.away].set(slide.after, fresh != 0);
        }
        pendingCount = 0;
    };

    // Expands placement index at level: each region of empty cells reached
    // and not yet settled, by every slide of a group tile into it. A slide
    // away from the tile's goal stays at this level (now), one toward it
    // costs a level (later), unless this level is the last stored.
    std::array<Slide, 4 * 6 * 2> found{};
    auto expand = [&](std::uint32_t index, int level) -> int {
        Marks& mark = marks[index];
        const std::size_t side = std::size_t(level % 2);
        std::uint32_t empty = mark.reached[side] & ~std::uint32_t(mark.settled);
        mark.reached[side] = 0;
        if (!empty)
            return 0;
        if (extra[index] == cap)
            extra[index] = std::uint8_t(level);
        std::array<std::uint8_t, Size> cells;
        // Per cell, the group tile on it (Size for none) and its digit's
        // weight.
        std::array<std::uint8_t, 16> owner;
        owner.fill(std::uint8_t(Size));
        std::array<std::uint32_t, 16> cellWeight{};
        std::uint32_t taken = 0;
        std::uint32_t rest = index;
        std::array<std::uint32_t, Size> digit;
        for (int i = Size - 1; i >= 0; --i) {
            digit[std::size_t(i)] = rest % std::uint32_t(16 - i);
            rest /= std::uint32_t(16 - i);
        }
        for (int i = 0; i < Size; ++i) {
            const int cell = nthSet(~taken & 0xFFFFu, digit[std::size_t(i)]);
            cells[std::size_t(i)] = std::uint8_t(cell);
            owner[std::size_t(cell)] = std::uint8_t(i);
            cellWeight[std::size_t(cell)] = weight[std::size_t(i)];
            taken |= 1u << cell;
        }
        int n = 0;
        while (empty) {
            const std::uint32_t region = reachable(std::countr_zero(empty), ~taken & 0xFFFFu);
            empty &= ~region;
            mark.settled = std::uint16_t(mark.settled | region);
            for (int i = 0; i < Size; ++i) {
                const int from = cells[std::size_t(i)];
                const std::uint32_t open = nextTo[std::size_t(from)] & region;
                const std::uint32_t w = weight[std::size_t(i)];
                const std::uint8_t far = manhattan[std::size_t(i)][std::size_t(from)];
                auto add = [&](int cell, std::uint32_t change) {
                    Slide& slide = found[std::size_t(n)];
                    slide.after = index + change;
                    slide.bit = std::uint16_t(1u << from);
                    slide.away = manhattan[std::size_t(i)][std::size_t(cell & 15)] > far;
                    n += int(open >> (cell & 15) & 1);
                };
                add(from - 1, -w);
                add(from + 1, w);
                // A vertical slide passes three cells: the tile's digit moves
                // less the group's earlier tiles among them, and each later
                // tile among them counts it one more or one fewer.
                for (const int sign : {-1, 1}) {
                    std::uint32_t change = 0;
                    std::uint32_t digits = 4;
                    for (int k = 1; k < 4; ++k) {
                        const auto cell = std::size_t((from + k * sign) & 15);
                        const std::uint32_t j = owner[cell];
                        digits -= std::uint32_t(j < std::uint32_t(i));
                        change += cellWeight[cell] &
                                  -std::uint32_t(j > std::uint32_t(i) && j < std::uint32_t(Size));
                    }
                    const std::uint32_t delta = change + digits * w;
                    add(from + 4 * sign, sign > 0 ? delta : -delta);
                }
            }
        }
        return n;
    };

    for (int level = 0; level < cap; ++level) {
        const bool last = level + 1 == cap;
        const auto side = std::size_t(level % 2);
        // Sweeps in the order of the numbers until none is left at this
        // level: a slide may reach a placement behind the sweep.
        for (bool any = true; any;) {
            any = false;
            for (std::size_t w = 0; w < now.words.size(); ++w)
                while (std::uint64_t word = now.words[w]) {
                    any = true;
                    now.words[w] = 0;
                    for (; word; word &= word - 1) {
                        const int n = expand(
                            std::uint32_t(w * 64 + std::size_t(std::countr_zero(word))), level);
                        if (n == 0)
                            continue;
                        for (int m = 0; m < n; ++m)
                            __builtin_prefetch(&marks[found[std::size_t(m)].after], 1);
                        apply(side, last);
                        std::copy_n(found.begin(), n, pending.begin());
                        pendingCount = n;
                    }
                }
            apply(side, last);
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
// without moving a group tile; per placement, masks of empty cells record the
// settled states and those reached.
std::vector<std::uint8_t> extraMoves(const Group& group, int cap) {
    return group.size == 3 ? extraMovesOf<3>(group, cap) : extraMovesOf<6>(group, cap);
}

std::vector<std::uint8_t> computePatternTables() {
    std::vector<std::uint8_t> tables(partition::totalBytes, 0);
    auto compute = [&](int g) {
        const std::vector<std::uint8_t> extra =
            extraMoves(partition::groups[std::size_t(g)], partition::entryCap);
        std::uint8_t* out = &tables[partition::tableOffset(g)];
        for (std::size_t index = 0; index < extra.size(); ++index)
            out[index / 4] = std::uint8_t(out[index / 4] | extra[index] << (index % 4 * 2));
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
