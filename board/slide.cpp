#include "board/moves.h"
#include "form/form1.h"

namespace tembira {

namespace {

enum class Axis { Horizontal, Vertical };

// One tick of a slide: test, then move. The step is not clamped, so the tile
// may pass its goal for one tick; the following tick snaps it back.
void slideTick(Form1& f, Timer& timer, Axis axis, int direction) {
    // The tile its dispatch picked, even if a solved judgement has cleared
    // PICKNO since: the dispatch has already marked that tile's cell empty.
    const int n = f.board.slidingTile;
    if (n < 1 || n > 15) {
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
