// IDA*: depth-first searches bounded by moves made + lower bound, the bound
// growing by two (every move changes the lower bound's parity) until a search
// reaches the goal.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "solver/heuristic.h"
#include "solver/solver.h"

namespace solver {

namespace {

struct Neighbours {
    std::array<std::int8_t, 4> cells;
    std::array<std::int8_t, 4> moves; // the slide from each into the empty cell
    int count;
};

constexpr std::array<Neighbours, 16> makeNeighbours() {
    std::array<Neighbours, 16> all{};
    for (int c = 0; c < 16; ++c) {
        Neighbours& n = all[std::size_t(c)];
        n.count = 0;
        if (c / 4 > 0)
            n.cells[std::size_t(n.count++)] = std::int8_t(c - 4);
        if (c % 4 > 0)
            n.cells[std::size_t(n.count++)] = std::int8_t(c - 1);
        if (c % 4 < 3)
            n.cells[std::size_t(n.count++)] = std::int8_t(c + 1);
        if (c / 4 < 3)
            n.cells[std::size_t(n.count++)] = std::int8_t(c + 4);
        for (int k = 0; k < n.count; ++k)
            n.moves[std::size_t(k)] = std::int8_t(detail::moveOf(n.cells[std::size_t(k)], c));
    }
    return all;
}

constexpr std::array<Neighbours, 16> neighbours = makeNeighbours();

// A board in 64 bits, four a cell: no two boards share one, and none is 0.
std::uint64_t packed(const Board& board) {
    std::uint64_t key = 0;
    for (int c = 0; c < 16; ++c)
        key |= std::uint64_t(board[std::size_t(c)]) << (4 * c);
    return key;
}

// What searches found out about boards, by board. A search that found no
// solution within the bound proved a lower bound on the moves left, which
// holds in every later iteration (see Search::descend); within an iteration,
// a board reached again at no fewer moves made needs no second search. Two
// places a board may take: one kept for the deepest search, one for the
// latest. Allocated at the first search deep enough to use it, as zero pages
// that the system lends as they are touched.
class Memory {
  public:
    struct Entry {
        std::uint64_t board;
        std::uint8_t moves; // the lower bound
        std::uint8_t depth; // the moves the search below it was allowed
        std::uint8_t bound; // the iteration's bound
        std::uint8_t cost;  // the moves made to it in that iteration
    };

    // Where board's entries go, for the calls below.
    static std::size_t slot(std::uint64_t board) {
        return std::size_t((board * 0x9E3779B97F4A7C15u) >> (64 - bits)) & ~std::size_t(1);
    }

    const Entry* find(std::uint64_t board, std::size_t slot) const {
        if (!entries_)
            return nullptr;
        const Entry* pair = &entries_.get()[slot];
        if (pair[0].board == board)
            return &pair[0];
        if (pair[1].board == board)
            return &pair[1];
        return nullptr;
    }

    void prefetch(std::size_t slot) const {
        if (entries_)
            __builtin_prefetch(&entries_.get()[slot]);
    }

    void store(const Entry& entry, std::size_t slot) {
        if (!entries_)
            entries_.reset(static_cast<Entry*>(std::calloc(size, sizeof(Entry))));
        if (!entries_)
            return;
        Entry* pair = &entries_.get()[slot];
        if (pair[0].board == entry.board || entry.depth >= pair[0].depth)
            pair[0] = entry;
        else
            pair[1] = entry;
    }

  private:
    static constexpr int bits = 16;
    static constexpr std::size_t size = std::size_t(1) << bits;

    struct Free {
        void operator()(Entry* p) const { std::free(p); }
    };
    std::unique_ptr<Entry, Free> entries_;
};

class Search {
  public:
    Search(const Board& board, StopToken stop, const std::uint8_t* tables)
        : cells_(board), tableCells_(board), key_(packed(board)), tables_(tables),
          stop_(std::move(stop)) {}

    // Whether some solution of at most bound moves exists; if so, path holds it.
    bool within(int bound, const Heuristic& start, int empty) {
        bound_ = bound;
        return descend(start, start.value(), empty, -1, 0) == solved;
    }

    std::vector<int> path() const {
        return std::vector<int>(moves_.begin(), moves_.begin() + length_);
    }
    std::uint64_t nodes() const { return nodes_; }
    bool stopped() const { return stopped_; }

  private:
    static constexpr int solved = -1;

    // left is the bound on the moves left from here, at least here's own.
    // Returns solved, or the least sum of moves made and bound that the
    // search cut off below here.
    int descend(const Heuristic& here, int left, int empty, int previous, int cost) {
        if (--untilCheck_ == 0) {
            untilCheck_ = checkEvery;
            stopped_ = stop_.stop_requested();
        }
        if (stopped_)
            return 255;
        // Every child first, so that their table entries load side by side.
        const Neighbours& around = neighbours[std::size_t(empty)];
        std::array<Heuristic, 4> child{here, here, here, here};
        std::array<std::int8_t, 4> from{}, move{};
        std::array<std::uint64_t, 4> key{};
        std::array<std::size_t, 4> slot{};
        // Deep enough below, what earlier searches proved pays for a look.
        const bool remember = bound_ - cost >= rememberFrom;
        int count = 0;
        for (int k = 0; k < around.count; ++k) {
            const int cell = around.cells[std::size_t(k)];
            // Never undo the move just made.
            if (cell == previous)
                continue;
            const auto c = std::size_t(count++);
            from[c] = std::int8_t(cell);
            move[c] = around.moves[std::size_t(k)];
            const auto tile = std::uint64_t(cells_[std::size_t(cell)]);
            child[c].slideFirst(tableCells_, int(tile), move[c]);
            child[c].prefetchFirst(tables_);
            if (remember) {
                key[c] = key_ ^ tile << (4 * cell) ^ tile << (4 * empty);
                slot[c] = Memory::slot(key[c]);
                memory_.prefetch(slot[c]);
            }
        }
        nodes_ += std::uint64_t(count);

        // The tables ignore where the empty cell is, so a move can change the
        // bound by three or more. Bounds pass both ways, less one a move
        // (bidirectional pathmax): a child's can cut this board off. The
        // second partition is looked up only for the children the first
        // leaves in, and only if none of them cuts this board off.
        std::array<int, 4> bound{};
        for (int c = 0; c < count; ++c) {
            child[std::size_t(c)].lookUpFirst(tables_);
            bound[std::size_t(c)] = child[std::size_t(c)].firstValue();
            left = std::max(left, bound[std::size_t(c)] - 1);
        }
        if (cost + left > bound_)
            return cost + left;
        unsigned open = 0;
        for (int c = 0; c < count; ++c)
            if (cost + 1 + std::max(bound[std::size_t(c)], left - 1) <= bound_) {
                open |= 1u << c;
                const int cell = from[std::size_t(c)];
                child[std::size_t(c)].slideRest(tableCells_, cells_[std::size_t(cell)],
                                                move[std::size_t(c)]);
                child[std::size_t(c)].prefetchRest(tables_);
            }
        for (int c = 0; c < count; ++c)
            if (open >> c & 1) {
                child[std::size_t(c)].lookUpRest(tables_);
                bound[std::size_t(c)] = child[std::size_t(c)].value();
                left = std::max(left, bound[std::size_t(c)] - 1);
            }
        int least = 255;
        if (remember)
            for (int c = 0; c < count; ++c)
                if (open >> c & 1) {
                    const Memory::Entry* known =
                        memory_.find(key[std::size_t(c)], slot[std::size_t(c)]);
                    if (!known)
                        continue;
                    bound[std::size_t(c)] = std::max(bound[std::size_t(c)], int(known->moves));
                    left = std::max(left, bound[std::size_t(c)] - 1);
                    if (known->bound == bound_ && known->cost <= cost + 1) {
                        open &= ~(1u << c);
                        least = std::min(least, cost + 1 + bound[std::size_t(c)]);
                    }
                }
        if (cost + left > bound_)
            return cost + left;

        // Children nearest the goal first, and of two as near, the one whose
        // bound owes more to the tables: in the last iteration the solution
        // tends to be found sooner.
        std::array<int, 4> rank{};
        for (int c = 0; c < count; ++c)
            rank[std::size_t(c)] = bound[std::size_t(c)] * 64 + child[std::size_t(c)].manhattan();
        std::array<std::int8_t, 4> order{0, 1, 2, 3};
        for (int i = 1; i < count; ++i)
            for (int j = i; j > 0 && rank[std::size_t(order[std::size_t(j)])] <
                                         rank[std::size_t(order[std::size_t(j - 1)])];
                 --j)
                std::swap(order[std::size_t(j)], order[std::size_t(j - 1)]);
        for (int c = 0; c < count; ++c)
            if (!(open >> c & 1))
                least = std::min(least, cost + 1 + bound[std::size_t(c)]);
        for (int k = 0; k < count; ++k) {
            const auto c = std::size_t(order[std::size_t(k)]);
            if (!(open >> c & 1))
                continue;
            const int childLeft = std::max(bound[c], left - 1);
            if (cost + 1 + childLeft > bound_) {
                least = std::min(least, cost + 1 + childLeft);
                continue;
            }
            const int cell = from[c];
            const int tile = cells_[std::size_t(cell)];
            moves_[std::size_t(cost)] = std::uint8_t(tile);
            if (childLeft == 0) {
                length_ = cost + 1;
                return solved;
            }
            const std::uint64_t before = key_;
            key_ ^= std::uint64_t(tile) << (4 * cell) ^ std::uint64_t(tile) << (4 * empty);
            cells_[std::size_t(empty)] = std::uint8_t(tile);
            cells_[std::size_t(cell)] = 0;
            tableCells_.slide(tile, cell, empty);
            const int below = descend(child[c], childLeft, cell, empty, cost + 1);
            if (below == solved)
                return solved;
            cells_[std::size_t(cell)] = std::uint8_t(tile);
            cells_[std::size_t(empty)] = 0;
            tableCells_.slide(tile, cell, empty);
            key_ = before;
            if (stopped_)
                return least;
            least = std::min(least, below);
            // The search below never stepped back here, so what it proved
            // bounds only the ways on that do not: a way back here takes at
            // least one move more than left.
            if (remember)
                memory_.store(
                    {key[c], std::uint8_t(std::max(bound[c], std::min(below - cost - 1, left + 1))),
                     std::uint8_t(bound_ - cost), std::uint8_t(bound_), std::uint8_t(cost + 1)},
                    slot[c]);
        }
        return least;
    }

    // How often, in searched boards, the search looks whether it should stop.
    static constexpr int checkEvery = 1 << 14;

    // The fewest moves still allowed below a board whose children the memory
    // is asked about.
    static constexpr int rememberFrom = 16;

    Board cells_;
    TableCells tableCells_;
    std::uint64_t key_;
    Memory memory_;
    const std::uint8_t* tables_;
    StopToken stop_;
    // The tiles moved on the way to the board searched, by moves made; a
    // bound never passes 255 (the memory keeps bounds in a byte).
    std::array<std::uint8_t, 256> moves_{};
    int length_ = 0;
    int bound_ = 0;
    std::uint64_t nodes_ = 0;
    int untilCheck_ = checkEvery;
    bool stopped_ = false;
};

} // namespace

std::optional<std::vector<int>> solve(const Board& board, StopToken stop, Stats* stats) {
    const auto started = std::chrono::steady_clock::now();
    if (!solvable(board))
        return std::nullopt;
    const std::uint8_t* tables = patternTables().data();
    const Heuristic start(board, tables);
    int empty = 0;
    while (board[std::size_t(empty)] != 0)
        ++empty;

    Search search(board, std::move(stop), tables);
    bool found = start.value() == 0;
    for (int bound = start.value(); !found && !search.stopped(); bound += 2)
        found = search.within(bound, start, empty);
    if (stats) {
        stats->nodes = search.nodes();
        stats->time = std::chrono::steady_clock::now() - started;
    }
    if (!found)
        return std::nullopt;
    return search.path();
}

} // namespace solver
