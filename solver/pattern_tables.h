// The pattern databases, laid out as partition.h says. Natively the table
// generator builds them into the library as read-only data, so the system
// reads them from the file only when a search first looks them up; under
// Emscripten they are computed at that first look-up instead.
#pragma once

#include <cstdint>
#include <span>

namespace solver {

std::span<const std::uint8_t> patternTables();

} // namespace solver
