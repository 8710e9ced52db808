#include "form/form1.h"
#include "shell/shell.h"

namespace tembira {

// The button row comes into view at once; the board and usable buttons one
// tick later.
void HAJIME_Click(Form1& f) {
    f.setHeight(playHeight);
    f.START.setVisible(true);
    f.HANTEI.setVisible(true);
    f.TAITOL.setVisible(true);
    f.OPTION1.setVisible(true);
    f.HAJIME.setVisible(false);
    f.OPENINGEND.setEnabled(true);
}

void OPENINGEND_Timer(Form1& f) {
    f.GOHOUBI.setVisible(false);
    f.Opening.setVisible(false);
    f.START.setEnabled(true);
    f.HANTEI.setEnabled(true);
    f.OPTION1.setEnabled(true);
    f.OPENINGEND.setEnabled(false);
}

} // namespace tembira
