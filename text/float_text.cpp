#include "text/float_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tembira {

namespace {

// Decimal text carries no decimal point here, so that the C library's
// conversions read and write it the same whatever the locale.
std::string exponentForm(std::uint64_t mantissa, int exponent) {
    return std::to_string(mantissa) + "e" + std::to_string(exponent);
}

bool readsBack(std::uint64_t mantissa, int exponent, float v) {
    return std::strtof(exponentForm(mantissa, exponent).c_str(), nullptr) == v;
}

struct Shortest {
    std::string digits; // no trailing zero
    int exponent;       // of the first digit
};

// The fewest digits that read back as v (finite, above zero), nearest to v
// among those. For each count of digits, only the nearest decimal and its
// neighbour on v's other side can lie in the interval that reads back as v.
Shortest shortest(float v) {
    for (int precision = 1;; ++precision) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*e", precision - 1, double(v));
        std::uint64_t mantissa = 0;
        const char* p = text;
        for (; *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9')
                mantissa = mantissa * 10 + std::uint64_t(*p - '0');
        int last = std::atoi(p + 1) - (precision - 1);
        bool found = readsBack(mantissa, last, v);
        if (!found) {
            const bool above =
                std::strtod(exponentForm(mantissa, last).c_str(), nullptr) > double(v);
            std::uint64_t lowest = 1;
            for (int i = 1; i < precision; ++i)
                lowest *= 10;
            if (!above) {
                ++mantissa; // 999 + 1 is 1000: 100 of the next power up
            } else if (mantissa > lowest) {
                --mantissa;
            } else {
                mantissa = lowest * 10 - 1; // below 100 is 999 of the next lower power
                --last;
            }
            found = readsBack(mantissa, last, v);
        }
        if (found) {
            std::string digits = std::to_string(mantissa);
            const int first = last + int(digits.size()) - 1;
            while (digits.size() > 1 && digits.back() == '0')
                digits.pop_back();
            return {digits, first};
        }
    }
}

} // namespace

std::string floatText(float v) {
    if (std::isnan(v))
        return std::signbit(v) ? "-nan" : "nan";
    const std::string sign = std::signbit(v) ? "-" : "";
    if (std::isinf(v))
        return sign + "inf";
    if (v == 0)
        return sign + "0";

    const auto [digits, exponent] = shortest(std::fabs(v));
    const int count = int(digits.size());
    std::string scientific = digits.substr(0, 1);
    if (count > 1)
        scientific.append(".").append(digits, 1); // not "." + substr: GCC 12 warns falsely at -O3
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    scientific += power;

    std::string fixed;
    if (exponent < 0) {
        fixed = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else if (count - 1 > exponent) {
        fixed = digits.substr(0, std::size_t(exponent) + 1) + "." +
                digits.substr(std::size_t(exponent) + 1);
    } else {
        // A whole number is written whole, every digit exact, as printf would.
        char whole[48];
        std::snprintf(whole, sizeof whole, "%.0f", double(std::fabs(v)));
        fixed = whole;
    }
    return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

bool parseFinite(std::string_view word, double& value) {
    std::size_t i = 0;
    const bool negative = i < word.size() && word[i] == '-';
    if (negative)
        ++i;
    std::string mantissa;
    int pointShift = 0;
    bool point = false, nonZero = false;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            mantissa += c;
            nonZero = nonZero || c != '0';
            if (point)
                --pointShift;
        } else {
            break;
        }
    }
    if (mantissa.empty())
        return false;
    // The exponent, held within a bound far past any finite double: a
    // mantissa has at most as many digits as a line has characters.
    long exponent = 0;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        const bool down = i < word.size() && word[i] == '-';
        if (i < word.size() && (word[i] == '-' || word[i] == '+'))
            ++i;
        if (i == word.size())
            return false;
        for (; i < word.size(); ++i) {
            if (word[i] < '0' || word[i] > '9')
                return false;
            exponent = std::min(exponent * 10 + (word[i] - '0'), 100'000'000L);
        }
        if (down)
            exponent = -exponent;
    }
    if (i != word.size())
        return false;
    const double read =
        std::strtod((mantissa + "e" + std::to_string(exponent + pointShift)).c_str(), nullptr);
    // Out of range: too large for a double, or so small that it reads as zero.
    if (std::isinf(read) || (read == 0 && nonZero))
        return false;
    value = negative ? -read : read;
    return true;
}

} // namespace tembira
