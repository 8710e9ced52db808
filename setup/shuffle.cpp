#include "form/form1.h"
#include "setup/setup.h"

namespace tembira {

namespace {

// For each picture, the cell each tile starts on (tiles 1 ... 15). Every
// arrangement leaves cell 16 empty and is an even permutation, so it can be
// solved by sliding.
constexpr int arrangements[3][15] = {
    {15, 8, 10, 13, 12, 4, 7, 5, 2, 9, 6, 3, 14, 1, 11},
    {14, 1, 3, 6, 10, 11, 13, 15, 8, 5, 12, 7, 9, 4, 2},
    {14, 5, 2, 11, 10, 7, 13, 15, 4, 6, 12, 8, 9, 3, 1},
};

} // namespace

int startingCell(int p, int n) {
    return arrangements[p - 1][n - 1];
}

namespace {

// A move under way is cancelled first, so that no tile lands off the grid and
// no click made before the shuffle is dispatched after it.
void lockTiles(Form1& f) {
    for (Timer* t : {&f.AutoMove, &f.PUM, &f.PDM, &f.PLM, &f.PRM})
        t->setEnabled(false);
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setEnabled(false);
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setForeColor(platform::buttonText);
}

// Tile n to cell cell(n).
template <class Cell> void placeTiles(Form1& f, Cell cell) {
    for (int n = 1; n <= 15; ++n) {
        const int k = cell(n);
        f.PANEL[n].setLeft(f.board.HOMELEFT[k]);
        f.PANEL[n].setTop(f.board.HOMETOP[k]);
    }
}

} // namespace

void arrangeTiles(Form1& f, const std::array<int, 15>& cells) {
    lockTiles(f);
    placeTiles(f, [&cells](int n) { return cells[std::size_t(n - 1)]; });
}

void NARABEKAE_Timer(Form1& f) {
    lockTiles(f);
    f.forSelectedPicture([&f](int p) { placeTiles(f, [p](int n) { return startingCell(p, n); }); });
    f.NARABEKAE.setEnabled(false);
}

} // namespace tembira
