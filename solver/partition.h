// The tile groups of the pattern databases, and the views of a board that
// the search looks up in them. Shared by the table generator and the search,
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

// One table a group, the large ones first (the generator starts on them).
// The tiles' order is that of the placement number's digits. The generator
// keeps the last tile's placements side by side and slides it within them,
// and re-expands a placement that a slide reaches after its turn: with 4
// last, the other tiles of 4 8 11 12 14 15 mostly slide away from their goal
// cells toward lower numbers, which a sweep downward meets in turn (half the
// expansions of 4 8 11 12 14 15 in that order).
inline constexpr std::array<Group, 9> groups{{
    {6, {1, 2, 3, 5, 6, 7}},
    {6, {8, 11, 12, 14, 15, 4}},
    {3, {9, 10, 13}},
    {3, {1, 2, 15}},
    {3, {1, 5, 12}},
    {3, {4, 8, 12}},
    {3, {13, 14, 15}},
    {3, {4, 9, 10}},
    {3, {3, 7, 13}},
}};
inline constexpr int groupCount = int(groups.size());

// The eight symmetries of the square as maps of cells: flip the columns
// (bit 0), then the rows (bit 1), then swap rows and columns (bit 2).
constexpr int transformCell(int symmetry, int cell) {
    int row = cell / 4, column = cell % 4;
    if (symmetry & 1)
        column = 3 - column;
    if (symmetry & 2)
        row = 3 - row;
    if (symmetry & 4)
        return column * 4 + row;
    return row * 4 + column;
}

inline constexpr int same = 0;
inline constexpr int mirror = 4; // about the main diagonal

// The cell mirrored about the main diagonal.
constexpr int mirrorCell(int cell) {
    return transformCell(mirror, cell);
}

// The tile whose goal cell mirrors the goal cell of tile; the empty cell's
// goal is its own mirror.
constexpr int mirrorTile(int tile) {
    return tile == 0 ? 0 : mirrorCell(tile - 1) + 1;
}

// A group's table read through a symmetry. The tile whose goal cell is c
// counts as the group's tile whose goal cell is transformCell(symmetry, c),
// and a cell c of the board as cell transformCell(symmetry, c): the moves
// that a set of tiles needs are those that its image needs on the board
// turned or flipped, so one table serves several sets of tiles.
struct Member {
    std::uint8_t group;
    std::uint8_t symmetry;
};

// A view's members hold every tile once, so their entries add up.
using View = std::array<Member, 3>;

// The partition 1 2 3 5 6 7 / 4 8 11 12 14 15 / 9 10 13, and the same read
// for the board mirrored about the main diagonal (the same puzzle with the
// same goal); then 3 4 7 8 11 12 / 5 6 9 10 13 14 / 1 2 15, both large
// groups the first group turned, and its mirror image. Two large tables serve
// all four views (chosen by the nodes they leave, see the README).
inline constexpr std::array<View, 4> views{{
    {{{0, same}, {1, same}, {2, same}}},
    {{{0, mirror}, {1, mirror}, {2, mirror}}},
    {{{0, 5}, {0, 6}, {3, same}}},
    {{{0, 1}, {0, 2}, {4, same}}},
}};
inline constexpr int viewCount = int(views.size());
// The views the search looks up first; the others only where these leave a
// board in.
inline constexpr int firstViews = 2;

// More views from the same entries: two large members of the views above
// that share no tile, and a group of three for the tiles they leave, whose
// entry alone is looked up anew. These are all such pairs of large members
// not yet in a view; the views come in mirror images, each first with its
// image after it:
//   1 2 3 5 6 7 / 9 10 11 13 14 15 / 4 8 12,
//   1 2 5 6 9 10 / 3 4 7 8 11 12 / 13 14 15,
//   1 2 3 5 6 7 / 8 11 12 13 14 15 / 4 9 10,
//   1 2 5 6 9 10 / 4 8 11 12 14 15 / 3 7 13.
struct Paired {
    std::array<std::array<std::uint8_t, 2>, 2> large; // view and member, twice
    std::uint8_t group;                               // read as it stands
};
inline constexpr std::array<Paired, 4> paired{{
    {{{{0, 0}, {3, 1}}}, 5},
    {{{{1, 0}, {2, 0}}}, 6},
    {{{{0, 0}, {1, 1}}}, 7},
    {{{{1, 0}, {0, 1}}}, 8},
}};
inline constexpr int pairedCount = int(paired.size());

// An entry holds half of the moves beyond the group's Manhattan distance, up
// to this: a smaller entry only lowers the bound, so the search stays optimal.
inline constexpr int entryCap = 3;

// A placement has two entries: the fewest moves with the empty cell anywhere
// but walled in, and (this one) walled in, on a cell whose every neighbour
// holds one of the group's tiles, so that one of them must move first.
inline constexpr int walledIn = 1;

// Ways to place size distinct tiles on 16 cells.
constexpr std::size_t placements(int size) {
    std::size_t n = 1;
    for (int i = 0; i < size; ++i)
        n *= std::size_t(16 - i);
    return n;
}

// Tables hold 2-bit entries, a placement's two side by side (the walled-in
// one above), two placements to a byte, one after another: both are in the
// cache line that one look-up brings.
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
static_assert(placements(3) % 2 == 0 && placements(6) % 2 == 0);

constexpr int orderOf(int group, int tile) {
    for (int i = 0; i < groups[std::size_t(group)].size; ++i)
        if (groups[std::size_t(group)].tiles[std::size_t(i)] == tile)
            return i;
    return -1;
}

// The member of view that counts tile, and as which of its group's tiles:
// {-1, -1} when none does.
struct Place {
    int member, order;
};

constexpr Place placeOf(int view, int tile) {
    for (int m = 0; m < 3; ++m) {
        const Member member = views[std::size_t(view)][std::size_t(m)];
        const int counted = transformCell(member.symmetry, tile - 1) + 1;
        if (counted != 16) {
            const int order = orderOf(member.group, counted);
            if (order >= 0)
                return {m, order};
        }
    }
    return {-1, -1};
}

constexpr bool viewsAreWhole() {
    for (int v = 0; v < viewCount; ++v) {
        std::array<int, 3> counted{};
        for (int tile = 1; tile < 16; ++tile) {
            const Place place = placeOf(v, tile);
            if (place.member < 0)
                return false;
            ++counted[std::size_t(place.member)];
        }
        for (int m = 0; m < 3; ++m)
            if (counted[std::size_t(m)] != groups[views[std::size_t(v)][std::size_t(m)].group].size)
                return false;
    }
    return true;
}
static_assert(viewsAreWhole());

// The tiles of a view's member, as bits by tile number.
constexpr unsigned tilesOf(int view, int member) {
    unsigned tiles = 0;
    for (int tile = 1; tile < 16; ++tile)
        if (placeOf(view, tile).member == member)
            tiles |= 1u << tile;
    return tiles;
}

constexpr bool pairedAreWhole() {
    for (const Paired& p : paired) {
        const unsigned a = tilesOf(p.large[0][0], p.large[0][1]);
        const unsigned b = tilesOf(p.large[1][0], p.large[1][1]);
        unsigned small = 0;
        for (int i = 0; i < groups[p.group].size; ++i)
            small |= 1u << groups[p.group].tiles[std::size_t(i)];
        if ((a & b) || (a & small) || (b & small) || (a | b | small) != 0xFFFEu ||
            groups[p.group].size != 3)
            return false;
    }
    return true;
}
static_assert(pairedAreWhole());

// The cells next to any of cells, as bits of the 16 cells in reading order.
constexpr std::uint16_t besides(unsigned cells) {
    return std::uint16_t((cells << 1 & 0xEEEEu) | (cells >> 1 & 0x7777u) | (cells << 4 & 0xFFF0u) |
                         (cells >> 4 & 0x0FFFu));
}

// The cells the empty cell reaches from cell without passing the group's
// tiles on their goal cells.
constexpr unsigned goalRegion(const Group& group, int cell) {
    unsigned open = 0xFFFFu;
    for (int i = 0; i < group.size; ++i)
        open &= ~(1u << (group.tiles[std::size_t(i)] - 1));
    unsigned region = 1u << cell;
    for (unsigned grown = 0; grown != region;) {
        grown = region;
        region = (region | besides(region)) & open;
    }
    return region;
}

// Whether a table read through symmetry counts for the goal: the table
// counts from its group's goal with the empty cell on cell 15 (or anywhere it
// reaches from there), and the board's goal is read with the empty cell on
// that cell's image.
constexpr bool keepsTheGoal(const Group& group, int symmetry) {
    return goalRegion(group, 15) >> transformCell(symmetry, 15) & 1;
}

constexpr bool symmetriesKeepTheGoal() {
    for (const View& view : views)
        for (const Member& member : view)
            if (!keepsTheGoal(groups[member.group], member.symmetry))
                return false;
    return true;
}
static_assert(symmetriesKeepTheGoal());

} // namespace solver::partition
