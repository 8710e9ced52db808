#include "solver/pattern_tables.h"

#include <cstdio>
#include <cstdlib>

#include "solver/partition.h"

// Laid down by pattern_tables.S.
extern "C" const std::uint8_t tembira_pattern_tables[];
extern "C" const std::uint8_t tembira_pattern_tables_end[];

namespace solver {

std::span<const std::uint8_t> patternTables() {
    const auto size = std::size_t(tembira_pattern_tables_end - tembira_pattern_tables);
    if (size != partition::totalBytes) {
        // Only a build that mixed up the generator and the search gets here.
        std::fprintf(stderr, "solver: the pattern tables have %zu bytes, not %zu\n", size,
                     partition::totalBytes);
        std::abort();
    }
    return {tembira_pattern_tables, size};
}

} // namespace solver
