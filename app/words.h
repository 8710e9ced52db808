// The words the game shows or says beyond its window's own captions: for
// screen readers and for the hint. Every binding takes them from here, so
// they are written once.
#pragma once

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
// What the web page shows once END has stopped the game.
extern const char* const endedText;

} // namespace tembira
