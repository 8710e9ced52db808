#include "form/form1.h"
#include "shell/shell.h"

namespace tembira {

void showPanel(Form1& f, bool visible) {
    for (Control* c : f.optionsPanel())
        c->setVisible(visible);
}

void OPTION1_Click(Form1& f) {
    f.MESSEGE.setCaption("");
    showPanel(f, true);
    f.setHeight(optionsHeight);
}

void SIMERU_Click(Form1& f) {
    f.setHeight(playHeight);
    showPanel(f, false);
}

// A change during a slide applies from its next tick.
void SPEED_Click(Form1& f, int step) {
    f.board.STEP = std::int16_t(step);
}

void JIKOKU_Timer(Form1& f) {
    f.TIME1.setText(f.clock.timeOfDayText());
}

void END1_Click(Form1& f) {
    f.FIN.setEnabled(true);
}

void FIN_Timer(Form1& f) {
    f.clock.endProgram();
}

} // namespace tembira
