// The player's records: for each kind of board, the games solved and the
// best of them. Plain values and rules here; keeping them on disk is
// record_file.h's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The kinds of board, in the order the records are shown: the three
// animals' boards, then the new boards by level.
enum class Kind { Anteater, TreeKangaroo, Okapi, Easy, Normal, Hard };
inline constexpr int kindCount = 6;

// One solved game.
struct Result {
    Kind kind = Kind::Anteater;
    int moves = 0;       // moves made, undone ones not counted
    int shortest = 0;    // the board's shortest solution
    std::int64_t ms = 0; // the game's clock at its end
    bool helped = false; // a hint or a solution played out was asked for
};

// What is kept for one kind: counts over every game, bests over the games
// nobody helped (none while there is no such game).
struct Entry {
    int solved = 0;
    int assisted = 0;
    std::optional<int> fewest;           // moves
    std::optional<int> over;             // moves beyond the shortest solution
    std::optional<std::int64_t> fastest; // ms

    bool operator==(const Entry&) const = default;
};

struct Records {
    std::array<Entry, kindCount> entries{};

    Entry& operator[](Kind k) { return entries[std::size_t(k)]; }
    const Entry& operator[](Kind k) const { return entries[std::size_t(k)]; }
    bool operator==(const Records&) const = default;

    // Counts the game in; true when it beats the kind's earlier best: an
    // unhelped game with fewer moves beyond the shortest solution than any
    // earlier unhelped one, or as few and faster. The first unhelped game
    // of a kind beats nothing.
    bool add(const Result& result);
};

// The text of the records file (see the README): a header line, then one
// line per kind with a solved game, in the order of Kind.
std::string toText(const Records& records);
// The records a file's text holds, or nothing when it is not such a text
// (a line out of place, a number out of range, a kind twice, no header, a
// text cut short).
std::optional<Records> fromText(std::string_view text);

} // namespace records
