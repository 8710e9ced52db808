// The game as the player plays it, beyond the board itself: the moves made
// on the board laid out last (for undo and redo), and the game under way
// with its clock. Followed by the wiring; no handler of the window reads it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tembira {

struct GameState {
    // What the board laid out last is: one of the three pictures' boards
    // (1 ... 3), or a new board of a level (4 easy, 5 normal, 6 hard).
    int kind = 1;
    // The tiles moved since the board was laid out, in order, and the ones
    // undone since the last new move, the last undone last.
    std::vector<int> done;
    std::vector<int> undone;
    // A move the player asked to undo (-tile) or redo (+tile), until the
    // dispatch of that tile; 0 when none.
    int replaying = 0;

    // A board was laid out and no game has begun on it yet.
    bool laidOut = true;
    // A game began (at START) on this board, and has it ended (solved)?
    bool begun = false;
    bool ended = false;
    std::int64_t beganAt = 0; // the clock's ms
    std::int64_t endedAt = 0;
    // A hint or a solution played out was asked for during the game.
    bool helped = false;
    // Asked for each time a board is to be laid out anew (a picture choice,
    // a new board): a board being made for an earlier request is dropped.
    std::uint64_t layoutsAsked = 0;

    // Told when a game ends, once.
    std::function<void()> onEnded;

    // The moves of the game (undone ones not counted), and its clock.
    int moves() const { return begun ? int(done.size()) : 0; }
    std::int64_t elapsed(std::int64_t now) const {
        return !begun ? 0 : (ended ? endedAt : now) - beganAt;
    }
};

} // namespace tembira
