// Numbers as text: the portable conversions against the standard library's
// std::to_chars and std::from_chars, which have them on this build.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/seed.h"
#include "text/float_text.h"

namespace {

using tembira::floatText;
using tembira::parseFinite;
using tembira::parseInteger;

std::string standardText(float v) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v);
    return std::string(text, result.ptr);
}

// What the runner made of a word before: the whole word read, finite only.
bool standardFinite(const std::string& word, double& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return !word.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

template <class Int> bool standardInteger(const std::string& word, Int& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return !word.empty() && result.ec == std::errc() && result.ptr == end;
}

// The same verdict and, when accepted, the same bits.
void expectSameReading(const std::string& word) {
    double mine = 0, theirs = 0;
    const bool accepted = parseFinite(word, mine);
    ASSERT_EQ(accepted, standardFinite(word, theirs)) << word;
    if (accepted) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(mine), std::bit_cast<std::uint64_t>(theirs)) << word;
    }
    std::int64_t wide = 0, wideStandard = 0;
    const bool wideAccepted = parseInteger(word, wide);
    ASSERT_EQ(wideAccepted, standardInteger(word, wideStandard)) << word;
    if (wideAccepted) {
        ASSERT_EQ(wide, wideStandard) << word;
    }
    int narrow = 0, narrowStandard = 0;
    const bool narrowAccepted = parseInteger(word, narrow);
    ASSERT_EQ(narrowAccepted, standardInteger(word, narrowStandard)) << word;
    if (narrowAccepted) {
        ASSERT_EQ(narrow, narrowStandard) << word;
    }
}

} // namespace

TEST(FloatText, WritesWhatToCharsWrites) {
    using limits = std::numeric_limits<float>;
    std::vector<float> values{0.0f,        -0.0f,       1.0f,     -1.0f, 0.1f,         0.5f,
                              1234.5f,     2077.5f,     -120.0f,  1e10f, 1.5e-7f,      123456792.0f,
                              16777216.0f, 16777217.0f, 3e9f,     1e15f, 9.999999e-5f, 0.001f,
                              1e-4f,       99999.99f,   100000.0f};
    for (float v : {limits::max(), limits::min(), limits::lowest(), limits::denorm_min(),
                    limits::infinity(), -limits::infinity(), limits::min() - limits::denorm_min()})
        values.push_back(v);
    for (int e = -149; e <= 127; ++e) {
        values.push_back(std::ldexp(1.0f, e));
        values.push_back(std::nextafter(std::ldexp(1.0f, e), 0.0f));
    }
    for (int p = -45; p <= 38; ++p)
        values.push_back(std::pow(10.0f, float(p)));
    for (int n = -1000; n <= 1000; ++n)
        values.push_back(float(n) * 7.5f);
    for (float v : values)
        ASSERT_EQ(floatText(v), standardText(v)) << std::bit_cast<std::uint32_t>(v);

    // Any bits but NaN's, and values of the size of a twip position.
    const unsigned seed = tembira::testing::testSeed("TEMBIRA_FLOAT_SEED", 20261208);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> position(-20000.0f, 20000.0f);
    for (int i = 0; i < 300000; ++i) {
        float v = i % 2 ? position(random) : std::bit_cast<float>(std::uint32_t(random()));
        if (std::isnan(v))
            continue;
        ASSERT_EQ(floatText(v), standardText(v)) << std::bit_cast<std::uint32_t>(v);
        // What one writes, the other reads back alike.
        ASSERT_NO_FATAL_FAILURE(expectSameReading(standardText(v)));
    }
}

TEST(FloatText, ReadsWhatFromCharsReads) {
    for (const char* word : {"0",
                             "-0",
                             "1",
                             "-1",
                             "007",
                             ".5",
                             "5.",
                             "-.5",
                             ".",
                             "-",
                             "",
                             " 1",
                             "1 ",
                             "+1",
                             "--1",
                             "1e",
                             "1e+",
                             "1e-",
                             "1E5",
                             "1e+5",
                             "1e-5",
                             "1.5e-07",
                             "1e5.5",
                             "1..2",
                             "1.2.3",
                             "0x10",
                             "0X1p3",
                             "1,5",
                             "1#2",
                             "inf",
                             "-inf",
                             "infinity",
                             "INF",
                             "nan",
                             "nan(abc)",
                             "-nan",
                             "1e308",
                             "1.7976931348623157e308",
                             "1.7976931348623159e308",
                             "1e309",
                             "-1e309",
                             "2.2250738585072014e-308",
                             "4.9e-324",
                             "3e-324",
                             "2.5e-324",
                             "2e-324",
                             "1e-400",
                             "0e999999",
                             "0.000e-99999999999999999999",
                             "1e99999999999999999999",
                             "1e-99999999999999999999",
                             "2147483647",
                             "2147483648",
                             "-2147483648",
                             "-2147483649",
                             "9223372036854775807",
                             "9223372036854775808",
                             "-9223372036854775808",
                             "-9223372036854775809",
                             "99999999999999999999",
                             "12:00",
                             "２"})
        expectSameReading(word);
    // A mantissa as long as a line may be.
    expectSameReading("0." + std::string(65000, '0') + "1e65010");
    expectSameReading(std::string(400, '9') + "e-400");
}
