#include "app/game_events.h"

#include "form/form1.h"

namespace tembira {

void afterDispatch(Form1& f, int empty) {
    GameState& g = f.game;
    const int asked = g.replaying;
    g.replaying = 0;
    if (f.board.emptyCell() == empty)
        return;
    const int tile = f.board.slidingTile;
    if (asked == -tile && !g.done.empty() && g.done.back() == tile) {
        g.done.pop_back();
        g.undone.push_back(tile);
    } else if (asked == tile && !g.undone.empty() && g.undone.back() == tile) {
        g.undone.pop_back();
        g.done.push_back(tile);
    } else {
        g.done.push_back(tile);
        g.undone.clear();
    }
}

void afterLayout(Form1& f, int kind) {
    GameState& g = f.game;
    g.kind = kind;
    g.done.clear();
    g.undone.clear();
    g.replaying = 0;
    g.laidOut = true;
    g.begun = g.ended = g.helped = false;
}

void afterStart(Form1& f) {
    GameState& g = f.game;
    if (!g.laidOut)
        return;
    g.laidOut = false;
    g.begun = true;
    g.ended = g.helped = false;
    g.beganAt = f.clock.now();
}

void afterJudgement(Form1& f) {
    GameState& g = f.game;
    if (!g.begun || g.ended || f.MESSEGE.caption() != completeMessage)
        return;
    g.ended = true;
    g.endedAt = f.clock.now();
    if (g.onEnded)
        g.onEnded();
}

} // namespace tembira
