#include "board/moves.h"
#include "form/form1.h"

namespace tembira {

namespace {

enum class Axis { Horizontal, Vertical };

// One tick of a slide: test, then move. The step is not clamped, so the tile
// may pass its goal for one tick; the following tick snaps it back.
void slideTick(Form1& f, Timer& timer, Axis axis, int direction) {
    const int n = f.board.PICKNO;
    if (n < 1 || n > 15) {
        // Judging clears PICKNO on a solved board, possibly between a slide's
        // last step and its snap; end the slide so tile clicks work again.
        timer.setEnabled(false);
        return;
    }
    Control& tile = f.PANEL[n];
    const bool horizontal = axis == Axis::Horizontal;
    const float goal = horizontal ? f.board.GOALLEFT : f.board.GOALTOP;
    auto position = [&] { return horizontal ? tile.left() : tile.top(); };
    auto moveTo = [&](float v) { horizontal ? tile.setLeft(v) : tile.setTop(v); };

    const bool short_of_goal = direction < 0 ? position() > goal : position() < goal;
    if (short_of_goal) {
        moveTo(position() + float(direction * f.board.STEP));
    } else {
        moveTo(goal);
        timer.setEnabled(false);
    }
}

} // namespace

void PUM_Timer(Form1& f) {
    slideTick(f, f.PUM, Axis::Vertical, -1);
}
void PDM_Timer(Form1& f) {
    slideTick(f, f.PDM, Axis::Vertical, +1);
}
void PLM_Timer(Form1& f) {
    slideTick(f, f.PLM, Axis::Horizontal, -1);
}
void PRM_Timer(Form1& f) {
    slideTick(f, f.PRM, Axis::Horizontal, +1);
}

} // namespace tembira
