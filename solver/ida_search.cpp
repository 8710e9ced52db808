// IDA*: depth-first searches bounded by moves made + lower bound, the bound
// growing by two (every move changes the lower bound's parity) until a search
// reaches the goal.
#include <chrono>

#include "solver/heuristic.h"
#include "solver/solver.h"

namespace solver {

namespace {

struct Neighbours {
    std::array<std::int8_t, 4> cells;
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
    }
    return all;
}

constexpr std::array<Neighbours, 16> neighbours = makeNeighbours();

class Search {
  public:
    Search(const Board& board, StopToken stop, const std::uint8_t* tables)
        : cells_(board), tables_(tables), stop_(std::move(stop)) {}

    // Whether some solution of at most bound moves exists; if so, path holds it.
    bool within(int bound, const Heuristic& start, int empty) {
        bound_ = bound;
        return descend(start, start.value(), empty, -1, 0);
    }

    const std::vector<int>& path() const { return path_; }
    std::uint64_t nodes() const { return nodes_; }
    bool stopped() const { return stopped_; }

  private:
    // left is the bound on the moves left from here, at least here's own.
    bool descend(const Heuristic& here, int left, int empty, int previous, int cost) {
        if (--untilCheck_ == 0) {
            untilCheck_ = checkEvery;
            stopped_ = stop_.stop_requested();
        }
        if (stopped_)
            return false;
        // Every child first, so that their table entries load side by side.
        const Neighbours& around = neighbours[std::size_t(empty)];
        std::array<Heuristic, 4> child{here, here, here, here};
        std::array<std::int8_t, 4> from{};
        int count = 0;
        for (int k = 0; k < around.count; ++k) {
            const int cell = around.cells[std::size_t(k)];
            // Never undo the move just made.
            if (cell == previous)
                continue;
            const auto c = std::size_t(count++);
            from[c] = std::int8_t(cell);
            child[c].slide(cells_, cells_[std::size_t(cell)], cell, empty);
            child[c].prefetchFirst(tables_);
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
            return false;
        unsigned open = 0;
        for (int c = 0; c < count; ++c)
            if (cost + 1 + std::max(bound[std::size_t(c)], left - 1) <= bound_) {
                open |= 1u << c;
                child[std::size_t(c)].prefetchRest(tables_);
            }
        for (int c = 0; c < count; ++c)
            if (open >> c & 1) {
                child[std::size_t(c)].lookUpRest(tables_);
                bound[std::size_t(c)] = child[std::size_t(c)].value();
                left = std::max(left, bound[std::size_t(c)] - 1);
            }
        if (cost + left > bound_)
            return false;

        // Children nearest the goal first: in the last iteration the solution
        // tends to be found sooner.
        std::array<std::int8_t, 4> order{0, 1, 2, 3};
        for (int i = 1; i < count; ++i)
            for (int j = i; j > 0 && bound[std::size_t(order[std::size_t(j)])] <
                                         bound[std::size_t(order[std::size_t(j - 1)])];
                 --j)
                std::swap(order[std::size_t(j)], order[std::size_t(j - 1)]);
        for (int k = 0; k < count; ++k) {
            const auto c = std::size_t(order[std::size_t(k)]);
            if (!(open >> c & 1))
                continue;
            const int childLeft = std::max(bound[c], left - 1);
            if (cost + 1 + childLeft > bound_)
                continue;
            const int cell = from[c];
            const int tile = cells_[std::size_t(cell)];
            path_.push_back(tile);
            if (childLeft == 0)
                return true;
            cells_[std::size_t(empty)] = std::uint8_t(tile);
            cells_[std::size_t(cell)] = 0;
            if (descend(child[c], childLeft, cell, empty, cost + 1))
                return true;
            cells_[std::size_t(cell)] = std::uint8_t(tile);
            cells_[std::size_t(empty)] = 0;
            path_.pop_back();
        }
        return false;
    }

    // How often, in searched boards, the search looks whether it should stop.
    static constexpr int checkEvery = 1 << 14;

    Board cells_;
    const std::uint8_t* tables_;
    StopToken stop_;
    std::vector<int> path_;
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
