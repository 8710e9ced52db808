#include "solver/table_builder.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <iostream>
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

// The fewest moves of the group's tiles that bring each placement to the
// goal: a breadth-first search over placements and empty-cell regions, in
// which only moves of the group's tiles count. Each layer sweeps the
// placements in order, so that the successors' entries are visited in a few
// nearly sequential streams rather than at random.
std::vector<std::uint8_t> fewestMoves(const Group& group) {
    const std::size_t count = partition::placements(group.size);
    const std::array<std::uint32_t, 6> weight = digitWeights(group.size);
    std::vector<std::uint8_t> moves(count, 0xFF);
    // Per placement, as a mask of empty cells: those reached in earlier
    // layers or this one, those to expand in this layer and in the next.
    std::vector<std::uint16_t> reached(count, 0), layer(count, 0), next(count, 0);

    Cells goal{};
    for (int i = 0; i < group.size; ++i)
        goal[std::size_t(i)] = std::uint8_t(group.tiles[std::size_t(i)] - 1);
    layer[rankPlacement(goal, group.size)] = 1u << 15;

    for (int depth = 0, pending = 1; pending; ++depth) {
        pending = 0;
        for (std::uint32_t index = 0; index < count; ++index) {
            if (!layer[index])
                continue;
            std::uint32_t empty = layer[index] & ~reached[index];
            layer[index] = 0;
            if (!empty)
                continue;
            const Cells cells = unrankPlacement<6>(index, group.size);
            std::array<std::int8_t, 16> owner;
            owner.fill(-1);
            std::uint32_t taken = 0;
            for (int i = 0; i < group.size; ++i) {
                owner[cells[std::size_t(i)]] = std::int8_t(i);
                taken |= 1u << cells[std::size_t(i)];
            }
            if (moves[index] == 0xFF)
                moves[index] = std::uint8_t(depth);
            while (empty) {
                const std::uint32_t region = reachable(std::countr_zero(empty), ~taken & 0xFFFF);
                empty &= ~region;
                reached[index] = std::uint16_t(reached[index] | region);
                // Slide each tile of the group into the region, when next to it.
                for (int i = 0; i < group.size; ++i) {
                    const int from = cells[std::size_t(i)];
                    const int row = from / 4, column = from % 4;
                    for (const int to : {column > 0 ? from - 1 : -1, column < 3 ? from + 1 : -1,
                                         row > 0 ? from - 4 : -1, row < 3 ? from + 4 : -1}) {
                        if (to < 0 || !(region >> to & 1))
                            continue;
                        const std::uint32_t after = index + rankChange(owner, weight, i, from, to);
                        if (!(reached[after] >> from & 1)) {
                            next[after] = std::uint16_t(next[after] | 1u << from);
                            pending = 1;
                        }
                    }
                }
            }
        }
        std::swap(layer, next);
    }
    return moves;
}

// Packs the moves beyond the Manhattan distance, halved, into 4-bit entries.
// Fails when an entry is odd or does not fit.
bool pack(const Group& group, const std::vector<std::uint8_t>& moves, std::uint8_t* out) {
    for (std::size_t index = 0; index < moves.size(); ++index) {
        const Cells cells = unrankPlacement<6>(std::uint32_t(index), group.size);
        int manhattan = 0;
        for (int i = 0; i < group.size; ++i) {
            const int cell = cells[std::size_t(i)], home = group.tiles[std::size_t(i)] - 1;
            manhattan += std::abs(cell / 4 - home / 4) + std::abs(cell % 4 - home % 4);
        }
        const int extra = moves[index] - manhattan;
        if (extra < 0 || extra % 2 != 0 || extra / 2 > 15) {
            std::cerr << "solver: placement " << index << " needs " << int(moves[index])
                      << " moves against a Manhattan distance of " << manhattan << "\n";
            return false;
        }
        out[index / 2] = std::uint8_t(out[index / 2] | (extra / 2) << (index % 2 * 4));
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> computePatternTables() {
    std::vector<std::uint8_t> tables(partition::totalBytes, 0);
    bool good[partition::groupCount];
    auto compute = [&](int g) {
        const Group& group = partition::groups[std::size_t(g)];
        good[g] = pack(group, fewestMoves(group), &tables[partition::tableOffset(g)]);
    };
#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
    {
        // One thread a group: the two large groups take nearly all the time.
        std::vector<std::jthread> workers;
        for (int g = 0; g < partition::groupCount; ++g)
            workers.emplace_back(compute, g);
    }
#else
    for (int g = 0; g < partition::groupCount; ++g)
        compute(g);
#endif
    if (!std::all_of(std::begin(good), std::end(good), [](bool b) { return b; }))
        return {};
    return tables;
}

} // namespace solver
