// Seeds for random tests: fixed, so that a fault fails every run, printed,
// and replaced from the environment to try others.
#pragma once

#include <cstdlib>
#include <iostream>
#include <string>

namespace tembira::testing {

inline unsigned testSeed(const char* variable, unsigned fixed) {
    unsigned seed = fixed;
    if (const char* text = std::getenv(variable); text && *text)
        seed = unsigned(std::strtoul(text, nullptr, 10));
    std::cout << "seed " << seed << " (set " << variable << " to try another)\n";
    return seed;
}

} // namespace tembira::testing
