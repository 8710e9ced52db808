// Judging and reward: the solved test with its messages, and the reward
// picture sliding into the board frame.
#pragma once

namespace tembira {

struct Form1;

void HANTEI_Click(Form1& f);
void MADA_Timer(Form1& f);
void GOHOUBITIME_Timer(Form1& f);

} // namespace tembira
