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

void NARABEKAE_Timer(Form1& f) {
    // A move under way is cancelled first, so that no tile lands off the grid
    // and no click made before the shuffle is dispatched after it.
    for (Timer* t : {&f.AutoMove, &f.PUM, &f.PDM, &f.PLM, &f.PRM})
        t->setEnabled(false);
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setEnabled(false);
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setForeColor(platform::buttonText);
    f.forSelectedPicture([&f](int p) {
        for (int n = 1; n <= 15; ++n) {
            const int k = startingCell(p, n);
            f.PANEL[n].setLeft(f.board.HOMELEFT[k]);
            f.PANEL[n].setTop(f.board.HOMETOP[k]);
        }
    });
    f.NARABEKAE.setEnabled(false);
}

} // namespace tembira
