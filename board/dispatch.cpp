#include "board/moves.h"
#include "shell/form1.h"

namespace tembira {

namespace {

struct Neighbour {
    int cell;
    Timer* slide;
};

// The neighbours of cell e that exist on the board, in the order they are
// tested (left, right, below, above), each with the timer that slides a tile
// from there into e.
int neighboursOf(Form1& f, int e, Neighbour (&out)[4]) {
    const int column = (e - 1) % 4;
    const int row = (e - 1) / 4;
    int count = 0;
    if (column > 0)
        out[count++] = {e - 1, &f.PRM};
    if (column < 3)
        out[count++] = {e + 1, &f.PLM};
    if (row < 3)
        out[count++] = {e + 4, &f.PUM};
    if (row > 0)
        out[count++] = {e - 4, &f.PDM};
    return count;
}

} // namespace

void AutoMove_Timer(Form1& f) {
    BoardState& b = f.board;
    // The walk goes on after a hit, against the flags as they then stand; no
    // second test can pass, since the picked tile's cell is now the empty one.
    for (int e = 1; e <= 16; ++e) {
        if (b.EMPTY[e] != 1)
            continue;
        Neighbour neighbours[4];
        const int count = neighboursOf(f, e, neighbours);
        for (int i = 0; i < count; ++i) {
            const Neighbour& n = neighbours[i];
            if (b.PICKLEFT != cellLeft(n.cell) || b.PICKTOP != cellTop(n.cell))
                continue;
            b.EMPTY[e] = 0;
            b.EMPTY[n.cell] = 1;
            f.MOJI.setEnabled(true);
            b.GOALLEFT = toInteger(f.ADDRESS[e].left());
            b.GOALTOP = toInteger(f.ADDRESS[e].top());
            n.slide->setEnabled(true);
        }
    }
    f.AutoMove.setEnabled(false);
}

} // namespace tembira
