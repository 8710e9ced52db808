// The words the game shows or says beyond its window's own captions: for
// screen readers and for the hint. Every binding takes them from here, so
// they are written once.
#pragma once

#include <cstdint>
#include <string>

#include "platform/accessible.h"

namespace platform {
class Control;
}

namespace tembira {

struct Form1;

// A tile is named by its number (its caption) and described by the row and
// column it stands on ("2行3列"); the boxes without captions and the two
// option groups are named here.
platform::AccessibleText accessibleText(const Form1& f, const platform::Control& c);

// "あと 31 手": the fewest moves still needed, beside a hint.
std::string movesLeftText(int moves);
// "12 手目": the moves made since START, atop the context menu.
std::string moveNumberText(int moves);
// The context menu's two commands, with their keys.
extern const char* const hintCommand;
extern const char* const solveCommand;

// "12 手目　1:05": the game's moves and its clock, atop the context menu.
std::string gameLineText(int moves, std::int64_t ms);
// The context menu's other commands.
extern const char* const undoCommand;
extern const char* const redoCommand;
// level 1 ... 3: easy, normal, hard.
std::string newBoardCommand(int level);
extern const char* const recordsCommand;

// The name of a kind of board (GameState::kind 1 ... 6): the picture's own,
// or the level's.
std::string kindName(const Form1& f, int kind);
// "64 手（最短 62 手）　3分05秒", and "　新記録" when it is one: how a game
// went, beside the board.
std::string completionNote(int moves, int shortest, std::int64_t ms, bool newRecord);
// "3分05秒".
std::string durationText(std::int64_t ms);

// The records window.
extern const char* const recordsTitle;
extern const char* const recordsHeadings[6]; // kind, solved, helped, fewest, over, fastest
extern const char* const noRecordYet;
extern const char* const clearRecordsCommand;
extern const char* const clearRecordsQuestion;
extern const char* const closeCommand;
// The answers to clearRecordsQuestion, where a binding writes them itself.
extern const char* const yesCommand;
extern const char* const noCommand;

// The page's records, in the browser's storage: why they will not last
// beyond the page (the storage is full, or refused, as in a private window);
// a damaged value moved aside under key; one that could not be moved.
std::string browserRecordsLost(bool full);
std::string browserRecordsSetAside(const std::string& key);
extern const char* const browserRecordsStuck;
// What the web page shows once END has stopped the game.
extern const char* const endedText;

} // namespace tembira
