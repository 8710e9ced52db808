// The shell around the game: the opening, the options panel with the speed
// choice and the clock, and the end of the program.
#pragma once

namespace tembira {

struct Form1;

void HAJIME_Click(Form1& f);
void OPENINGEND_Timer(Form1& f);
void OPTION1_Click(Form1& f);
void SIMERU_Click(Form1& f);
void SPEED_Click(Form1& f, int step);
void JIKOKU_Timer(Form1& f);
void END1_Click(Form1& f);
void FIN_Timer(Form1& f);

// Shows or hides the options panel's five controls, in their fixed order.
void showPanel(Form1& f, bool visible);

} // namespace tembira
