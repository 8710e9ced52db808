#include "form/board_view.h"

#include "form/form1.h"

namespace tembira {

std::string boardText(const Cells& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += cells[i] ? std::to_string(cells[i]) : ".";
        if (i + 1 < cells.size())
            out += (i + 1) % 4 == 0 ? " / " : " ";
    }
    return out;
}

BoardView viewBoard(const Form1& f) {
    BoardView v;
    v.solved = true;
    for (int n = 1; n <= 15; ++n) {
        const Control& tile = f.PANEL[n];
        for (int k = 1; k <= 16; ++k) {
            const Control& marker = f.ADDRESS[k];
            if (marker.left() == tile.left() && marker.top() == tile.top()) {
                v.cellOf[std::size_t(n)] = k;
                v.tileOn[std::size_t(k - 1)] = n;
            }
        }
        v.solved = v.solved && v.cellOf[std::size_t(n)] == n;
    }
    // With two tiles on one cell or one between cells, no cell is "the" empty one.
    int free = 0;
    for (int k = 1; k <= 16; ++k)
        if (!v.tileAt(k)) {
            ++free;
            v.empty = k;
        }
    if (free != 1)
        v.empty = 0;
    v.started = f.PANEL[1].enabled();
    return v;
}

int neighbours(int k, std::array<int, 4>& out) {
    const int column = (k - 1) % 4;
    const int row = (k - 1) / 4;
    int count = 0;
    if (column > 0)
        out[std::size_t(count++)] = k - 1;
    if (column < 3)
        out[std::size_t(count++)] = k + 1;
    if (row < 3)
        out[std::size_t(count++)] = k + 4;
    if (row > 0)
        out[std::size_t(count++)] = k - 4;
    return count;
}

} // namespace tembira
