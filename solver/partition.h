// The disjoint tile groups of the additive pattern databases, and the mirror
// image about the main diagonal. Shared by the table generator and the search,
// so both agree on every table's place and size.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace solver::partition {

struct Group {
    int size;
    std::array<std::uint8_t, 6> tiles;
};

// The top-left 2 x 3 block, the tiles around the empty cell's goal with the
// right column, and the three left over. It is not its own mirror image, so
// looking the mirrored board up in the same tables is a second partition of
// the board. Among the partitions tried on Korf's 100 boards this one needed
// the fewest nodes (61 million; a partition that is its own mirror image, as
// upper triangle, lower triangle and diagonal, needed 1,071 million, since
// its mirrored lookup adds nothing).
inline constexpr std::array<Group, 3> groups{{
    {6, {1, 2, 3, 5, 6, 7}},
    {6, {4, 8, 11, 12, 14, 15}},
    {3, {9, 10, 13}},
}};
inline constexpr int groupCount = int(groups.size());

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

// Tables hold one 4-bit entry a placement, two to a byte, one after another.
constexpr std::size_t tableBytes(int group) {
    return (placements(groups[std::size_t(group)].size) + 1) / 2;
}

constexpr std::size_t tableOffset(int group) {
    std::size_t offset = 0;
    for (int g = 0; g < group; ++g)
        offset += tableBytes(g);
    return offset;
}

inline constexpr std::size_t totalBytes = tableOffset(groupCount);

// The group that holds tile, and the tile's place in it (-1 for the empty cell).
constexpr int groupOf(int tile) {
    for (int g = 0; g < groupCount; ++g)
        for (int i = 0; i < groups[std::size_t(g)].size; ++i)
            if (groups[std::size_t(g)].tiles[std::size_t(i)] == tile)
                return g;
    return -1;
}

constexpr int orderOf(int tile) {
    for (const Group& group : groups)
        for (int i = 0; i < group.size; ++i)
            if (group.tiles[std::size_t(i)] == tile)
                return i;
    return -1;
}

} // namespace solver::partition
