// Numbers as text without std::to_chars and std::from_chars for floating
// point, which some standard libraries lack: the same text, accepted and
// refused the same way, on every build.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace tembira {

// The text std::to_chars(first, last, v) writes: the fewest digits that read
// back as v, in fixed or scientific notation, whichever is shorter.
std::string floatText(float v);

// A whole word read as std::from_chars reads it in the general format: an
// optional '-', no blank, no '+', no hexadecimal. A value out of range, and
// also infinity and NaN, are refused.
bool parseFinite(std::string_view word, double& value);

// A whole word read as std::from_chars reads an integer in base 10.
template <class Int> bool parseInteger(std::string_view word, Int& value) {
    static_assert(std::is_integral_v<Int> && std::is_signed_v<Int>);
    std::size_t i = !word.empty() && word[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    if (i == word.size())
        return false;
    // Accumulated as a negative number, which reaches the type's minimum.
    Int sum = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9')
            return false;
        const Int digit = Int(word[i] - '0');
        if (sum < (std::numeric_limits<Int>::min() + digit) / 10)
            return false;
        sum = Int(sum * 10 - digit);
    }
    if (!negative && sum == std::numeric_limits<Int>::min())
        return false;
    value = negative ? sum : Int(-sum);
    return true;
}

} // namespace tembira
