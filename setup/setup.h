// Game setup: the shuffle into a picture's starting arrangement, the choice
// of picture and the start of a game.
#pragma once

#include "shell/form1.h"

namespace tembira {

void NARABEKAE_Timer(Form1& f);
void TAITOL_Click(Form1& f, int p);
void START_Click(Form1& f);

// The cell on which tile n (1 ... 15) starts in picture p's arrangement.
int startingCell(int p, int n);

// Runs action(p) for the selected picture, testing TAITOL1, TAITOL2 and
// TAITOL3 in that order, each on its own.
template <class Action> void forSelectedPicture(Form1& f, Action action) {
    for (int p = 1; p <= 3; ++p)
        if (f.TAITOLn[p].value())
            action(p);
}

} // namespace tembira
