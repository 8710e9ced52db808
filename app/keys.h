// What a key does in the game: it acts as a click on one control, so the
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

// The control a key clicks, or nullptr: an arrow clicks the tile it slides;
// Return and Space click the opening's "START" label while it shows (after
// the opening they are the focused button's, which is the binding's affair).
platform::Control* keyTarget(Form1& f, platform::Key key);

} // namespace tembira
