// Numbers the placements of k distinct tiles on the 16 cells densely, from 0 to
// 16!/(16-k)! - 1: each cell is counted among the cells not taken by the tiles
// before it, the first tile's cell being the most significant digit.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace solver {

template <std::size_t K>
constexpr std::uint32_t rankPlacement(const std::array<std::uint8_t, K>& cells, int size) {
    std::uint32_t index = 0;
    std::uint32_t taken = 0;
    for (int i = 0; i < size; ++i) {
        const std::uint32_t cell = cells[std::size_t(i)];
        const auto before = std::uint32_t(std::popcount(taken & ((1u << cell) - 1)));
        index = index * std::uint32_t(16 - i) + cell - before;
        taken |= 1u << cell;
    }
    return index;
}

// The weight of each tile's digit in rankPlacement's number, for size tiles.
constexpr std::array<std::uint32_t, 6> digitWeights(int size) {
    std::array<std::uint32_t, 6> weight{};
    std::uint32_t w = 1;
    for (int i = size - 1; i >= 0; --i) {
        weight[std::size_t(i)] = w;
        w *= std::uint32_t(16 - i);
    }
    return weight;
}

template <std::size_t K>
constexpr std::array<std::uint8_t, K> unrankPlacement(std::uint32_t index, int size) {
    std::array<std::uint8_t, K> digits{};
    for (int i = size - 1; i >= 0; --i) {
        digits[std::size_t(i)] = std::uint8_t(index % std::uint32_t(16 - i));
        index /= std::uint32_t(16 - i);
    }
    std::array<std::uint8_t, K> cells{};
    std::uint32_t taken = 0;
    for (int i = 0; i < size; ++i) {
        // The digit-th cell not yet taken.
        int cell = 0;
        for (int free = digits[std::size_t(i)];; ++cell)
            if (!(taken >> cell & 1u) && free-- == 0)
                break;
        cells[std::size_t(i)] = std::uint8_t(cell);
        taken |= 1u << cell;
    }
    return cells;
}

} // namespace solver
