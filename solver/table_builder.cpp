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

// How rankPlacement's number changes when tile i of the group slides from
// cell from to the empty cell to. Its digit moves with it, less the group's
// earlier tiles that it passes; each later tile that it passes counts it one
// more or one fewer. Only a vertical slide passes cells.
std::uint32_t rankChange(const std::array<std::int8_t, 16>& owner,
                         const std::array<std::uint32_t, 6>& weight, int i, int from, int to) {
    const int step = to > from ? 1 : -1;
    std::uint32_t change = 0;
    int digit = to - from;
    for (int cell = std::min(from, to) + 1; cell < std::max(from, to); ++cell) {
        const int j = owner[std::size_t(cell)];
        if (j < 0)
            continue;
        if (j < i)
            digit -= step;
        else
            change += std::uint32_t(step) * weight[std::size_t(j)];
    }
    return change + std::uint32_t(digit) * weight[std::size_t(i)];
}

// The weight of each tile's digit in rankPlacement's number.
std::array<std::uint32_t, 6> digitWeights(int size) {
    std::array<std::uint32_t, 6> weight{};
    std::uint32_t w = 1;
    for (int i = size - 1; i >= 0; --i) {
        weight[std::size_t(i)] = w;
        w *= std::uint32_t(16 - i);
    }
    return weight;
}

// Sorts a list of placement numbers (below 2^24) in two passes of a radix
// sort, so that the search visits the tables as a few forward streams.
void sortPlacements(std::vector<std::uint32_t>& list, std::vector<std::uint32_t>& spare) {
    if (list.size() < 2)
        return;
    spare.resize(list.size());
    for (int shift = 0; shift < 24; shift += 12) {
        std::array<std::uint32_t, 4097> start{};
        for (const std::uint32_t v : list)
            ++start[(v >> shift & 4095) + 1];
        for (std::size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        for (const std::uint32_t v : list)
            spare[start[v >> shift & 4095]++] = v;
        list.swap(spare);
    }
}

// Per placement, as masks of empty cells: the states settled, and those to
// expand at this level and at the next. Side by side, since the search
// looks at all three of a placement at once.
struct Marks {
    std::uint16_t settled, now, later, unused;
};

} // namespace

// A move of a group's tile changes its Manhattan distance by one: toward its
// goal cell it adds nothing to the moves beyond that distance, away from it
// two. So a search from the goal outward by the moves beyond the distance,
// level by level, where within a level each placement is expanded after
// those one step nearer (by Manhattan distance), settles each state once,
// and can stop after the last level stored. A state is a placement with the
// region of cells the empty cell can reach without moving a group tile; per
// placement, masks of empty cells record the settled states and those to
// expand at this level and the next.
std::vector<std::uint8_t> extraMoves(const Group& group, int cap) {
    const std::size_t count = partition::placements(group.size);
    const std::array<std::uint32_t, 6> weight = digitWeights(group.size);
    std::vector<std::uint8_t> extra(count, std::uint8_t(cap));
    std::vector<Marks> marks(count, Marks{});
    std::vector<std::uint32_t> spare;
    // Per Manhattan distance, the placements to expand.
    const std::size_t distances = std::size_t(6 * group.size + 1);
    std::vector<std::vector<std::uint32_t>> nowList(distances), laterList(distances);

    std::array<std::array<std::uint8_t, 16>, 6> manhattan{};
    Cells goal{};
    for (int i = 0; i < group.size; ++i) {
        const int home = group.tiles[std::size_t(i)] - 1;
        goal[std::size_t(i)] = std::uint8_t(home);
        for (int c = 0; c < 16; ++c)
            manhattan[std::size_t(i)][std::size_t(c)] =
                std::uint8_t(std::abs(c / 4 - home / 4) + std::abs(c % 4 - home % 4));
    }
    const std::uint32_t start = rankPlacement(goal, group.size);
    marks[start].now = 1u << 15;
    nowList[0].push_back(start);

    // The moves out of one placement, found a placement ahead of their use so
    // that the marks they lead to are fetched in the meantime.
    struct Moves {
        int count = 0;
        std::array<std::uint32_t, 24> after;
        std::array<std::uint16_t, 24> bit;
        std::array<bool, 24> away;
    };
    std::array<Moves, 2> moves;
    auto find = [&](std::uint32_t index, int level, Moves& out) {
        out.count = 0;
        Marks& mark = marks[index];
        std::uint32_t empty = mark.now & ~mark.settled;
        mark.now = 0;
        if (!empty)
            return;
        if (extra[index] == cap)
            extra[index] = std::uint8_t(level);
        const Cells cells = unrankPlacement<6>(index, group.size);
        std::array<std::int8_t, 16> owner;
        owner.fill(-1);
        std::uint32_t taken = 0;
        for (int i = 0; i < group.size; ++i) {
            owner[cells[std::size_t(i)]] = std::int8_t(i);
            taken |= 1u << cells[std::size_t(i)];
        }
        while (empty) {
            const std::uint32_t region = reachable(std::countr_zero(empty), ~taken & 0xFFFF);
            empty &= ~region;
            mark.settled = std::uint16_t(mark.settled | region);
            // Slide each tile of the group into the region, when next to it.
            for (int i = 0; i < group.size; ++i) {
                const int from = cells[std::size_t(i)];
                for (std::uint32_t to = nextTo[std::size_t(from)] & region; to; to &= to - 1) {
                    const int cell = std::countr_zero(to);
                    const auto n = std::size_t(out.count++);
                    out.after[n] = index + rankChange(owner, weight, i, from, cell);
                    out.bit[n] = std::uint16_t(1u << from);
                    out.away[n] = manhattan[std::size_t(i)][std::size_t(cell)] >
                                  manhattan[std::size_t(i)][std::size_t(from)];
                    __builtin_prefetch(&marks[out.after[n]], 1);
                }
            }
        }
    };

    for (int level = 0; level < cap; ++level) {
        const bool last = level + 1 == cap;
        for (std::size_t d = 0; d < distances; ++d) {
            sortPlacements(nowList[d], spare);
            const std::vector<std::uint32_t>& list = nowList[d];
            for (std::size_t n = 0; n <= list.size(); ++n) {
                const Moves& ready = moves[(n + 1) % 2];
                if (n < list.size())
                    find(list[n], level, moves[n % 2]);
                for (int m = 0; n > 0 && m < ready.count; ++m) {
                    const std::uint32_t after = ready.after[std::size_t(m)];
                    const std::uint16_t bit = ready.bit[std::size_t(m)];
                    Marks& next = marks[after];
                    if (next.settled & bit)
                        continue;
                    if (ready.away[std::size_t(m)]) {
                        if (!next.now)
                            nowList[d + 1].push_back(after);
                        next.now |= bit;
                    } else if (!last) {
                        if (!next.later)
                            laterList[d - 1].push_back(after);
                        next.later |= bit;
                    }
                }
            }
            nowList[d].clear();
        }
        for (Marks& mark : marks) {
            mark.now = mark.later;
            mark.later = 0;
        }
        std::swap(nowList, laterList);
        if (std::all_of(nowList.begin(), nowList.end(), [](const auto& l) { return l.empty(); }))
            break;
    }
    return extra;
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
