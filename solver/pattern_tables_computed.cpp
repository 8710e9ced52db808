#include "solver/pattern_tables.h"

#include <utility>

#include "solver/table_builder.h"

namespace solver {

namespace {

// Where this file is built there are no threads beside the search.
std::vector<std::uint8_t>& tables() {
    static std::vector<std::uint8_t> made;
    return made;
}

} // namespace

bool installPatternTables(std::vector<std::uint8_t> given) {
    if (given.size() != partition::totalBytes || !tables().empty())
        return false;
    tables() = std::move(given);
    return true;
}

// Where the tables cannot be laid into the program (WebAssembly has no
// .incbin), they are computed once, when a search first looks them up,
// unless they were given first.
std::span<const std::uint8_t> patternTables() {
    if (tables().empty())
        tables() = computePatternTables();
    return tables();
}

} // namespace solver
