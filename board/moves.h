// Board and moves: the load handler, tile selection, move dispatch, the
// slide animation and the two deferred resets.
#pragma once

namespace tembira {

struct Form1;

void Form_Load(Form1& f);
void PANEL_Click(Form1& f, int n);
void AutoMove_Timer(Form1& f);
void PUM_Timer(Form1& f);
void PDM_Timer(Form1& f);
void PLM_Timer(Form1& f);
void PRM_Timer(Form1& f);
void MOJI_Timer(Form1& f);
void Clear_Timer(Form1& f);

// Whether a tile is sliding; tile clicks are refused meanwhile.
bool slideRunning(const Form1& f);

} // namespace tembira
