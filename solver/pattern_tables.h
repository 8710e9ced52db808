// The pattern databases built into the library by the table generator, laid
// out as partition.h says. The bytes are read-only data of the program, so the
// system reads them from the file only when a search first looks them up.
#pragma once

#include <cstdint>
#include <span>

namespace solver {

std::span<const std::uint8_t> patternTables();

// The table entry of placement index of group: the moves of the group's tiles
// beyond their Manhattan distance, halved.
inline int patternEntry(const std::uint8_t* tables, std::uint32_t index) {
    return tables[index / 2] >> (index % 2 * 4) & 15;
}

} // namespace solver
