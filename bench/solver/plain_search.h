// The yardsticks the solver is measured against in the same run: a plain IDA*
// on the first partition's tables with exact entries (a byte each), looked up
// for the board and its mirror image, the larger sum counting; no pathmax, no
// ordering of children, no memory, only the move that undoes the last one is
// never made. It numbers the moved tile's group afresh from its cells, as the
// plain search of 2026-12-08 did, or (lean) updates the number by the slide,
// as the solver does.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/solver.h"

namespace bench {

class PlainSearch {
  public:
    // Computes the tables (some seconds).
    PlainSearch();

    enum class Ranking { afresh, lean };

    // The length of a shortest solution, and the boards generated.
    int solve(const solver::Board& board, std::uint64_t& nodes, Ranking ranking) const;

  private:
    std::vector<std::vector<std::uint8_t>> tables_; // per group of the partition
};

} // namespace bench
