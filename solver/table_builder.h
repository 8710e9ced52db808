// The pattern databases computed from nothing: a breadth-first search over
// each tile group's placements. The table generator runs it during the build;
// where the tables cannot be laid into the program, it runs at first use.
#pragma once

#include <cstdint>
#include <vector>

namespace solver {

// Every group's table laid out as partition.h says, one 4-bit entry a
// placement: half of what the group's tiles need beyond their Manhattan
// distance. Empty, after a message on standard error, when an entry does not
// fit, which only a faulty partition causes.
std::vector<std::uint8_t> computePatternTables();

} // namespace solver
