// Game setup: the shuffle into a picture's starting arrangement, the choice
// of picture and the start of a game.
#pragma once

namespace tembira {

struct Form1;

void NARABEKAE_Timer(Form1& f);
void TAITOL_Click(Form1& f, int p);
void START_Click(Form1& f);

// The cell on which tile n (1 ... 15) starts in picture p's arrangement.
int startingCell(int p, int n);

} // namespace tembira
