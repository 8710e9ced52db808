#include "tests/support/solver.h"

#include <cstdint>
#include <cstdlib>
#include <queue>
#include <unordered_map>

namespace tembira::testing {

namespace {

using Board = std::uint64_t; // 4 bits a cell, cell 1 lowest

int tileAt(Board b, int cell) {
    return int(b >> (4 * cell) & 0xF);
}

Board pack(const std::array<int, 16>& cells) {
    Board b = 0;
    for (int i = 0; i < 16; ++i)
        b |= Board(cells[std::size_t(i)]) << (4 * i);
    return b;
}

int distance(Board b) {
    int d = 0;
    for (int i = 0; i < 16; ++i)
        if (int t = tileAt(b, i))
            d += std::abs(i / 4 - (t - 1) / 4) + std::abs(i % 4 - (t - 1) % 4);
    return d;
}

int blank(Board b) {
    for (int i = 0; i < 16; ++i)
        if (tileAt(b, i) == 0)
            return i;
    return -1;
}

} // namespace

std::vector<int> solve(const std::array<int, 16>& cells) {
    const Board start = pack(cells);
    Board goal = 0;
    for (int i = 0; i < 15; ++i)
        goal |= Board(i + 1) << (4 * i);

    struct Node {
        int f;
        int g;
        Board board;
        bool operator<(const Node& o) const { return f > o.f; }
    };
    std::unordered_map<Board, Board> cameFrom{{start, start}};
    std::unordered_map<Board, int> cost{{start, 0}};
    std::priority_queue<Node> open;
    open.push({3 * distance(start), 0, start});
    while (!open.empty() && cameFrom.size() < 4'000'000) {
        Node node = open.top();
        open.pop();
        if (node.board == goal) {
            std::vector<int> moves;
            for (Board b = goal; b != start; b = cameFrom[b])
                moves.insert(moves.begin(), tileAt(cameFrom[b], blank(b)));
            return moves;
        }
        if (node.g > cost[node.board])
            continue;
        const int e = blank(node.board);
        for (int n : {e - 1, e + 1, e - 4, e + 4}) {
            if (n < 0 || n > 15 || (n / 4 != e / 4 && n % 4 != e % 4))
                continue;
            const Board t = Board(tileAt(node.board, n));
            const Board next = (node.board & ~(Board(0xF) << (4 * n))) | t << (4 * e);
            auto known = cost.find(next);
            if (known != cost.end() && known->second <= node.g + 1)
                continue;
            cost[next] = node.g + 1;
            cameFrom[next] = node.board;
            open.push({node.g + 1 + 3 * distance(next), node.g + 1, next});
        }
    }
    return {};
}

} // namespace tembira::testing
