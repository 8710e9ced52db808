// What a key does in the game, given the control that has the focus: the one
// rule every binding follows. A key acts as a click on one control, so the
// rules are the click handlers' and nothing is written twice.
#pragma once

#include "platform/key.h"

namespace platform {
class Control;
}

namespace tembira {

struct BoardView;
struct Form1;

// The tile an arrow slides into the empty cell: the one on the neighbouring
// cell the arrow points away from (Right takes the tile left of the empty
// cell). 0 where there is no such tile, or no single empty cell mid-slide.
int tileForArrow(const BoardView& view, platform::Key key);

// The rule, in order: H, S, the Menu key, undo and redo are the program's
// commands;
// Return and Space click the opening's "START" label while it shows; in an
// option group, ← and ↑ choose the previous button in tab order, → and ↓ the
// next (nothing at either end), and Space clicks the focused one; any other
// arrow slides the tile it names, or does nothing; Return and Space click a
// focused command button. focused may be nullptr.
platform::KeyAction keyAction(Form1& f, platform::Key key, platform::Control* focused);

} // namespace tembira
