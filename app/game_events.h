// What follows the game's events beyond the window's own handlers: the moves
// for undo and redo, the game under way and its clock. The wiring calls each
// right after the handler of its event.
#pragma once

namespace tembira {

struct Form1;

// After AutoMove's tick: a dispatch that moved the empty cell (from `empty`)
// is a move, an undo or a redo.
void afterDispatch(Form1& f, int empty);
// After the tick that laid out a picture's board, or a new board laid out
// (kind as GameState names it): the history goes, and the next START begins
// a game.
void afterLayout(Form1& f, int kind);
// After START: the first START on a board laid out begins its game.
void afterStart(Form1& f);
// After OK: the first judgement of a game that finds the board solved ends
// it.
void afterJudgement(Form1& f);

} // namespace tembira
