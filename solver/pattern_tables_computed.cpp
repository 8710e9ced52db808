#include "solver/pattern_tables.h"

#include "solver/table_builder.h"

namespace solver {

// Where the tables cannot be laid into the program (WebAssembly has no
// .incbin), they are computed once, when a search first looks them up.
std::span<const std::uint8_t> patternTables() {
    static const std::vector<std::uint8_t> tables = computePatternTables();
    return tables;
}

} // namespace solver
