#include "form/form1.h"
#include "setup/setup.h"

namespace tembira {

void TAITOL_Click(Form1& f, int p) {
    f.TAITOL.setText(f.TAITOLn[p].caption());
    f.NARABEKAE.setEnabled(true);
    f.Clear.setEnabled(true);
}

// Unlocks the board as the last shuffle left it; a reward still sliding in
// starts over from its starting place on its next tick.
void START_Click(Form1& f) {
    f.setHeight(playHeight);
    f.forSelectedPicture([&f](int p) { f.TAITOL.setText(f.TAITOLn[p].caption()); });
    f.GOHOUBI.setVisible(false);
    f.GOHOUBI1.setTop(rewardStartTop[0]);
    f.GOHOUBI2.setTop(rewardStartTop[1]);
    f.GOHOUBI3.setTop(rewardStartTop[2]);
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setEnabled(true);
    f.MESSEGE.setCaption("");
}

} // namespace tembira
