#include "solver/table_builder.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#endif
#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <thread>
#endif

#include "solver/partition.h"
#include "solver/placement_rank.h"

namespace solver {

namespace {

using partition::Group;

// The cells that the empty cell can reach from the cells of start without
// moving a tile of the group (the other tiles are free to move at no cost).
std::uint32_t reachable(std::uint32_t start, std::uint32_t open) {
    std::uint32_t region = start;
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

// Zeroed memory for count values of T, in huge pages where the system lends
// them: the search reaches all over its marks, and with small pages most of
// those reaches also miss the address cache (huge pages take a tenth off).
template <class T> class Spread {
  public:
    explicit Spread(std::size_t count) {
        constexpr std::size_t huge = std::size_t(2) << 20;
        const std::size_t bytes = (count * sizeof(T) + huge - 1) / huge * huge;
        void* memory = std::aligned_alloc(huge, bytes);
        if (!memory)
            throw std::bad_alloc();
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
        madvise(memory, bytes, MADV_HUGEPAGE);
#endif
        std::memset(memory, 0, bytes);
        values_.reset(static_cast<T*>(memory));
    }
    T& operator[](std::size_t i) {
        return values_.get()[i];
    }

  private:
    struct Free {
        void operator()(T* p) const { std::free(p); }
    };
    std::unique_ptr<T, Free> values_;
};

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
// and whether it moved its tile away from the goal cell, in one word (a
// placement number takes 23 bits), so that finding one is one store.
struct Slide {
    std::uint32_t packed; // after << 5 | from << 1 | away
    std::uint32_t after() const { return packed >> 5; }
    std::uint32_t bit() const { return 1u << (packed >> 1 & 15); }
    std::uint32_t away() const { return packed & 1; }
};

template <int Size> std::vector<std::uint8_t> extraMovesOf(const Group& group, int cap) {
    constexpr std::size_t count = partition::placements(Size);
    constexpr std::array<std::uint32_t, 6> weight = digitWeights<Size>();
    // A placement number read in two halves: per high part, the cells of the
    // first split tiles and the cells they take (above bit 16); per low
    // part, the last tiles' digits, four bits each.
    constexpr int split = Size / 2;
    constexpr std::uint32_t lowCount = weight[split - 1];
    std::vector<std::uint32_t> highCells(count / lowCount);
    for (std::uint32_t high = 0; high < highCells.size(); ++high) {
        std::uint32_t rest = high, taken = 0, packed = 0;
        std::array<std::uint32_t, split> digit{};
        for (int i = split - 1; i >= 0; --i) {
            digit[std::size_t(i)] = rest % std::uint32_t(16 - i);
            rest /= std::uint32_t(16 - i);
        }
        for (int i = 0; i < split; ++i) {
            const int cell = nthSet(~taken & 0xFFFFu, digit[std::size_t(i)]);
            packed |= std::uint32_t(cell) << (4 * i);
            taken |= 1u << cell;
        }
        highCells[high] = packed | taken << 16;
    }
    std::vector<std::uint32_t> lowDigits(lowCount);
    for (std::uint32_t low = 0; low < lowCount; ++low) {
        std::uint32_t rest = low, packed = 0;
        for (int i = Size - 1; i >= split; --i) {
            packed |= rest % std::uint32_t(16 - i) << (4 * (i - split));
            rest /= std::uint32_t(16 - i);
        }
        lowDigits[low] = packed;
    }
    std::vector<std::uint8_t> extra(count, std::uint8_t(cap));
    Spread<Marks> marks(count);
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
    // Per tile and cell, which slides take the tile away from its goal cell:
    // left, right, up, down as bits 0 to 3.
    std::array<std::array<std::uint8_t, 16>, Size> awayBits{};
    for (int i = 0; i < Size; ++i)
        for (int c = 0; c < 16; ++c) {
            const auto& distance = manhattan[std::size_t(i)];
            const int targets[4] = {c % 4 > 0 ? c - 1 : -1, c % 4 < 3 ? c + 1 : -1, c - 4, c + 4};
            for (int d = 0; d < 4; ++d)
                if (targets[d] >= 0 && targets[d] < 16 &&
                    distance[std::size_t(targets[d])] > distance[std::size_t(c)])
                    awayBits[std::size_t(i)][std::size_t(c)] |= std::uint8_t(1u << d);
        }
    const std::uint32_t start = rankPlacement(goal, Size);
    marks[start].reached[0] = 1u << 15;
    now.set(start, 1);

    // The slides of the placement expanded last, applied once the next one
    // is expanded, so that the marks they lead to are fetched meanwhile.
    // Without branches: whether a slide leads anywhere new is anyone's guess.
    std::array<std::array<Slide, 4 * 6>, 2> buffers{};
    Slide* pending = buffers[0].data();
    Slide* found = buffers[1].data();
    int pendingCount = 0;
    auto apply = [&](std::size_t side, bool last) {
        for (int n = 0; n < pendingCount; ++n) {
            const Slide& slide = pending[std::size_t(n)];
            const std::uint32_t after = slide.after();
            const std::uint32_t away = slide.away();
            Marks& next = marks[after];
            const std::uint32_t fresh =
                slide.bit() & ~std::uint32_t(next.settled) & -std::uint32_t(away | !last);
            const std::size_t to = side ^ (away ^ 1u);
            next.reached[to] = std::uint16_t(next.reached[to] | fresh);
            bits[away].set(after, fresh != 0);
        }
        pendingCount = 0;
    };

    // Expands placement index at level: the regions of empty cells reached
    // and not yet settled, by every slide of a group tile into them. A slide
    // away from the tile's goal stays at this level (now), one toward it
    // costs a level (later), and is not kept when this level is the last.
    auto expand = [&](std::uint32_t index, int level, bool last) -> int {
        Marks& mark = marks[index];
        const std::size_t side = std::size_t(level % 2);
        std::uint32_t empty = mark.reached[side] & ~std::uint32_t(mark.settled);
        mark.reached[side] = 0;
        if (!empty)
            return 0;
        if (extra[index] == cap)
            extra[index] = std::uint8_t(level);
        // The first tiles' cells from the high part of the number, the last
        // tiles' digits from the low part.
        std::array<std::uint32_t, Size> cells;
        const std::uint32_t high = index / lowCount;
        const std::uint32_t first = highCells[high];
        std::uint32_t taken = first >> 16;
        for (int i = 0; i < split; ++i)
            cells[std::size_t(i)] = first >> (4 * i) & 15;
        std::uint32_t digits = lowDigits[index - high * lowCount];
        for (int i = split; i < Size; ++i, digits >>= 4) {
            const int cell = nthSet(~taken & 0xFFFFu, digits & 15);
            cells[std::size_t(i)] = std::uint32_t(cell);
            taken |= 1u << cell;
        }
        // A vertical slide passes three cells: the tile's digit moves four,
        // less the group's earlier tiles among them, and each later tile
        // among them counts it one more or one fewer. Per tile, what its
        // slides up and down change the placement number by, pair by pair.
        std::array<std::uint32_t, Size> up, down;
        for (int i = 0; i < Size; ++i) {
            up[std::size_t(i)] = down[std::size_t(i)] = 4 * weight[std::size_t(i)];
        }
        // Unrolled, so that the changes stay in registers.
#pragma GCC unroll 6
        for (int a = 0; a < Size; ++a)
#pragma GCC unroll 6
            for (int b = a + 1; b < Size; ++b) {
                // Tile b lies one to three cells after tile a, or before it.
                const std::uint32_t d = cells[std::size_t(b)] - cells[std::size_t(a)];
                const std::uint32_t ahead = -std::uint32_t(d - 1 < 3);
                const std::uint32_t behind = -std::uint32_t(d + 3 < 3);
                const std::uint32_t wb = weight[std::size_t(b)];
                down[std::size_t(a)] += wb & ahead;
                up[std::size_t(b)] -= wb & ahead;
                up[std::size_t(a)] += wb & behind;
                down[std::size_t(b)] -= wb & behind;
            }
        // Every region reached at once: a slide's target cell lies in one.
        const std::uint32_t region = reachable(empty, ~taken & 0xFFFFu);
        mark.settled = std::uint16_t(mark.settled | region);
        int n = 0;
        for (int i = 0; i < Size; ++i) {
            const std::uint32_t from = cells[std::size_t(i)];
            const std::uint32_t open = nextTo[from] & region;
            if (!open)
                continue; // walled in by the group and the edges
            const std::uint32_t w = weight[std::size_t(i)];
            const std::uint32_t away = awayBits[std::size_t(i)][from];
            auto add = [&](std::uint32_t cell, int direction, std::uint32_t change) {
                const std::uint32_t isAway = away >> direction & 1;
                found[std::size_t(n)].packed = (index + change) << 5 | from << 1 | isAway;
                n += int(open >> (cell & 15) & (isAway | !last));
            };
            add(from - 1, 0, -w);
            add(from + 1, 1, w);
            add(from - 4, 2, -up[std::size_t(i)]);
            add(from + 4, 3, down[std::size_t(i)]);
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
                        const int n =
                            expand(std::uint32_t(w * 64 + std::size_t(std::countr_zero(word))),
                                   level, last);
                        if (n == 0)
                            continue;
                        for (int m = 0; m < n; ++m)
                            __builtin_prefetch(&marks[found[std::size_t(m)].after()], 1);
                        apply(side, last);
                        std::swap(found, pending);
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
