// The tile groups of the pattern databases, the partitions of the tiles they
// form, and the mirror image about the main diagonal. Shared by the table
// generator and the search, so both agree on every table's place and size.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace solver::partition {

struct Group {
    int size;
    std::array<std::uint8_t, 6> tiles;
};

// One table a group, the large ones first (the generator starts on them).
inline constexpr std::array<Group, 6> groups{{
    {6, {1, 2, 3, 5, 6, 7}},
    {6, {4, 8, 11, 12, 14, 15}},
    {6, {1, 2, 3, 4, 7, 8}},
    {6, {5, 6, 9, 10, 13, 14}},
    {3, {9, 10, 13}},
    {3, {11, 12, 15}},
}};
inline constexpr int groupCount = int(groups.size());

// Each partition's groups hold every tile once, so their entries add up. The
// first is not its own mirror image, so looking the mirrored board up in its
// tables is a partition of its own.
inline constexpr std::array<std::array<std::uint8_t, 3>, 2> partitions{{{0, 1, 4}, {2, 3, 5}}};
inline constexpr int partitionCount = int(partitions.size());

// An entry holds half of the moves beyond the group's Manhattan distance, up
// to this: a smaller entry only lowers the bound, so the search stays optimal.
inline constexpr int entryCap = 3;

// The cell mirrored about the main diagonal.
constexpr int mirrorCell(int cell) {
    return cell % 4 * 4 + cell / 4;
}

// The tile whose goal cell mirrors the goal cell of tile; the empty cell's
// goal is its own mirror.
constexpr int mirrorTile(int tile) {
    return tile == 0 ? 0 : mirrorCell(tile - 1) + 1;
}

// Ways to place size distinct tiles on 16 cells.
constexpr std::size_t placements(int size) {
    std::size_t n = 1;
    for (int i = 0; i < size; ++i)
        n *= std::size_t(16 - i);
    return n;
}

// Tables hold one 2-bit entry a placement, four to a byte, one after another.
constexpr std::size_t tableBytes(int group) {
    return (placements(groups[std::size_t(group)].size) + 3) / 4;
}

constexpr std::size_t tableOffset(int group) {
    std::size_t offset = 0;
    for (int g = 0; g < group; ++g)
        offset += tableBytes(g);
    return offset;
}

inline constexpr std::size_t totalBytes = tableOffset(groupCount);

// The group of partition that holds tile (-1 for the empty cell), and the
// tile's place in its group.
constexpr int groupOf(int partition, int tile) {
    for (const std::uint8_t g : partitions[std::size_t(partition)])
        for (int i = 0; i < groups[g].size; ++i)
            if (groups[g].tiles[std::size_t(i)] == tile)
                return g;
    return -1;
}

constexpr int orderOf(int group, int tile) {
    for (int i = 0; i < groups[std::size_t(group)].size; ++i)
        if (groups[std::size_t(group)].tiles[std::size_t(i)] == tile)
            return i;
    return -1;
}

constexpr bool partitionsAreWhole() {
    for (const auto& partition : partitions) {
        unsigned seen = 0;
        for (const std::uint8_t g : partition)
            for (int i = 0; i < groups[g].size; ++i)
                seen += 1u << groups[g].tiles[std::size_t(i)];
        if (seen != 0xFFFEu)
            return false;
    }
    return true;
}
static_assert(partitionsAreWhole());

} // namespace solver::partition
