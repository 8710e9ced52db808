// The pattern databases, laid out as partition.h says. Natively the table
// generator builds them into the library as read-only data, so the system
// reads them from the file only when a search first looks them up; under
// Emscripten they are computed at that first look-up instead.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace solver {

std::span<const std::uint8_t> patternTables();

// Where the tables are computed at first use: tables made elsewhere (the
// generator's file), given before the first search so that none is computed.
// False, and nothing taken, when they are not the size expected or tables
// are in use already.
bool installPatternTables(std::vector<std::uint8_t> tables);

} // namespace solver
