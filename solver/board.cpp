#include <cstdlib>

#include "solver/solver.h"

namespace solver {

bool isPermutation(const Board& board) {
    unsigned seen = 0;
    for (const std::uint8_t tile : board)
        if (tile < 16)
            seen |= 1u << tile;
    return seen == 0xFFFF;
}

// A move swaps the empty cell with a tile, so it flips the parity of the
// permutation (the empty cell counting as tile 16) and moves the empty cell
// one step: the two parities stay equal, as they are on goal.
bool solvable(const Board& board) {
    if (!isPermutation(board))
        return false;
    auto rank = [&](int cell) {
        return board[std::size_t(cell)] == 0 ? 16 : board[std::size_t(cell)];
    };
    int inversions = 0, empty = 0;
    for (int i = 0; i < 16; ++i) {
        if (board[std::size_t(i)] == 0)
            empty = i;
        for (int j = i + 1; j < 16; ++j)
            inversions += rank(i) > rank(j);
    }
    const int steps = 3 - empty / 4 + 3 - empty % 4;
    return (inversions + steps) % 2 == 0;
}

std::optional<Board> afterClick(const Board& board, int tile) {
    if (tile < 1 || tile > 15)
        return std::nullopt;
    int from = -1, empty = -1;
    for (int i = 0; i < 16; ++i) {
        if (board[std::size_t(i)] == tile)
            from = i;
        if (board[std::size_t(i)] == 0)
            empty = i;
    }
    if (from < 0 || empty < 0 ||
        std::abs(from / 4 - empty / 4) + std::abs(from % 4 - empty % 4) != 1)
        return std::nullopt;
    Board next = board;
    next[std::size_t(empty)] = std::uint8_t(tile);
    next[std::size_t(from)] = 0;
    return next;
}

} // namespace solver
