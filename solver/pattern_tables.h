// The pattern databases built into the library by the table generator, laid
// out as partition.h says. The bytes are read-only data of the program, so the
// system reads them from the file only when a search first looks them up.
#pragma once

#include <cstdint>
#include <span>

namespace solver {

std::span<const std::uint8_t> patternTables();

} // namespace solver
