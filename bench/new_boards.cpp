// The time to make a new board of each level, as the player waits for it:
// 20 boards a level from a fixed seed, median (min-max), in milliseconds.
//
//   build/new_boards [SEED]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "play/levels.h"

int main(int argc, char** argv) {
    const unsigned long seed = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1;
    std::mt19937_64 random(seed);
    std::printf("seed %lu; 20 boards a level\n\n", seed);
    std::printf("| level | median (min–max) ms | lengths |\n|---|---|---|\n");
    for (int level = 1; level <= 3; ++level) {
        std::vector<double> ms;
        int shortest = 100, longest = 0;
        for (int i = 0; i < 20; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const auto made = tembira::makeBoard(level, random);
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            shortest = std::min(shortest, made->shortest);
            longest = std::max(longest, made->shortest);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("| %d | %.0f (%.0f–%.0f) | %d–%d |\n", level, (ms[9] + ms[10]) / 2, ms.front(),
                    ms.back(), shortest, longest);
    }
}
