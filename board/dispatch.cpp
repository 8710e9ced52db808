#include "board/moves.h"
#include "form/board_view.h"
#include "form/form1.h"

namespace tembira {

namespace {

// The timer that slides a tile from cell `from` into its neighbour `to`.
Timer& slideTimer(Form1& f, int from, int to) {
    if (to == from + 1)
        return f.PRM;
    if (to == from - 1)
        return f.PLM;
    return to > from ? f.PDM : f.PUM;
}

} // namespace

void AutoMove_Timer(Form1& f) {
    BoardState& b = f.board;
    // The walk goes on after a hit, against the flags as they then stand; no
    // second test can pass, since the picked tile's cell is now the empty one.
    for (int e = 1; e <= 16; ++e) {
        if (b.EMPTY[e] != 1)
            continue;
        std::array<int, 4> cells;
        const int count = neighbours(e, cells);
        for (int i = 0; i < count; ++i) {
            const int from = cells[std::size_t(i)];
            if (b.PICKLEFT != cellLeft(from) || b.PICKTOP != cellTop(from))
                continue;
            b.slidingTile = viewBoard(f).tileAt(from);
            b.EMPTY[e] = 0;
            b.EMPTY[from] = 1;
            f.MOJI.setEnabled(true);
            b.GOALLEFT = toInteger(f.ADDRESS[e].left());
            b.GOALTOP = toInteger(f.ADDRESS[e].top());
            slideTimer(f, from, e).setEnabled(true);
        }
    }
    f.AutoMove.setEnabled(false);
}

} // namespace tembira
