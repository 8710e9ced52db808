// Game setup: the shuffle into a picture's starting arrangement, the choice
// of picture and the start of a game.
#pragma once

#include <array>

namespace tembira {

struct Form1;

void NARABEKAE_Timer(Form1& f);
void TAITOL_Click(Form1& f, int p);
void START_Click(Form1& f);

// The cell on which tile n (1 ... 15) starts in picture p's arrangement.
int startingCell(int p, int n);

// Lays the tiles out, tile n on cells[n - 1], locked and in their plain
// colour, cancelling a move under way: the shuffle's work, also for a board
// made anew.
void arrangeTiles(Form1& f, const std::array<int, 15>& cells);

} // namespace tembira
