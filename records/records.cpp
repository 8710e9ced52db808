#include "records/records.h"

#include <algorithm>
#include <limits>

namespace records {

namespace {

constexpr std::string_view header = "tembira records 1";
constexpr std::string_view footer = "end";
constexpr std::array<std::string_view, kindCount> keys = {"anteater", "tree-kangaroo", "okapi",
                                                          "easy",     "normal",        "hard"};
constexpr int maxCount = std::numeric_limits<int>::max();

template <typename T> bool better(const std::optional<T>& best, T value) {
    return !best || value < *best;
}

// A number as toText writes it: decimal digits, no sign, no leading zero,
// at most max.
template <typename T> std::optional<T> number(std::string_view field, T max) {
    if (field.empty() || field.size() > 19 || (field[0] == '0' && field.size() > 1))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    if (value > std::uint64_t(max))
        return std::nullopt;
    return T(value);
}

template <typename T>
bool best(std::string_view field, T max, std::optional<T>& into, bool present) {
    if (!present)
        return field == "-";
    into = number<T>(field, max);
    return into.has_value();
}

template <typename T> void put(std::string& out, const std::optional<T>& value) {
    out += ' ';
    out += value ? std::to_string(*value) : "-";
}

// The fields of a line, split at single spaces; nothing when it has more
// than the six a kind's line holds.
std::optional<std::array<std::string_view, 6>> fields(std::string_view line) {
    std::array<std::string_view, 6> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t space = line.find(' ');
        if ((space == std::string_view::npos) != (i + 1 == out.size()))
            return std::nullopt;
        out[i] = line.substr(0, space);
        line = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    }
    return out;
}

} // namespace

bool Records::add(const Result& result) {
    Entry& e = (*this)[result.kind];
    // Counts past int's range would write a file that reads as damaged.
    if (e.solved == maxCount)
        return false;
    ++e.solved;
    if (result.helped) {
        ++e.assisted;
        return false;
    }
    // A file holds no negative number; a caller's slip must not make one.
    const int moves = std::max(result.moves, 0);
    const int over = std::max(moves - std::max(result.shortest, 0), 0);
    const std::int64_t ms = std::max<std::int64_t>(result.ms, 0);
    const bool record =
        e.over && (over < *e.over || (over == *e.over && e.fastest && ms < *e.fastest));
    if (better(e.fewest, moves))
        e.fewest = moves;
    if (better(e.over, over))
        e.over = over;
    if (better(e.fastest, ms))
        e.fastest = ms;
    return record;
}

std::string toText(const Records& records) {
    std::string out(header);
    out += '\n';
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const Entry& e = records.entries[k];
        if (e.solved == 0)
            continue;
        out += keys[k];
        out += ' ' + std::to_string(e.solved) + ' ' + std::to_string(e.assisted);
        put(out, e.fewest);
        put(out, e.over);
        put(out, e.fastest);
        out += '\n';
    }
    out += footer;
    out += '\n';
    return out;
}

std::optional<Records> fromText(std::string_view text) {
    // Every line ends in a newline, the last one too: a text cut anywhere
    // lacks its "end" line or that line's newline.
    if (text.empty() || text.back() != '\n')
        return std::nullopt;
    text.remove_suffix(1);
    Records records;
    std::size_t next = 0; // kinds come in order, each once
    bool first = true;
    bool ended = false;
    while (true) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        if (ended)
            return std::nullopt;
        if (first) {
            if (line != header)
                return std::nullopt;
            first = false;
        } else if (line == footer) {
            ended = true;
        } else {
            const auto f = fields(line);
            if (!f)
                return std::nullopt;
            const auto key = std::find(keys.begin() + std::ptrdiff_t(next), keys.end(), (*f)[0]);
            if (key == keys.end())
                return std::nullopt;
            next = std::size_t(key - keys.begin()) + 1;
            Entry& e = records.entries[next - 1];
            const auto solved = number<int>((*f)[1], maxCount);
            const auto assisted = number<int>((*f)[2], maxCount);
            if (!solved || !assisted || *solved == 0 || *assisted > *solved)
                return std::nullopt;
            e.solved = *solved;
            e.assisted = *assisted;
            const bool unhelped = *solved > *assisted;
            if (!best((*f)[3], maxCount, e.fewest, unhelped) ||
                !best((*f)[4], maxCount, e.over, unhelped) ||
                !best((*f)[5], std::numeric_limits<std::int64_t>::max(), e.fastest, unhelped))
                return std::nullopt;
            // No game is fewer moves beyond its shortest solution than it has.
            if (unhelped && *e.over > *e.fewest)
                return std::nullopt;
        }
        if (newline == std::string_view::npos)
            break;
        text.remove_prefix(newline + 1);
    }
    if (!ended)
        return std::nullopt;
    return records;
}

} // namespace records
