#include "board/moves.h"
#include "form/form1.h"

namespace tembira {

bool slideRunning(const Form1& f) {
    return f.PRM.enabled() || f.PLM.enabled() || f.PUM.enabled() || f.PDM.enabled();
}

void PANEL_Click(Form1& f, int n) {
    if (slideRunning(f))
        return;
    for (int other = 1; other <= 15; ++other)
        if (other != n)
            f.PANEL[other].setForeColor(platform::buttonText);
    Control& tile = f.PANEL[n];
    tile.setForeColor(selectionColour);
    f.board.PICKLEFT = toInteger(tile.left());
    f.board.PICKTOP = toInteger(tile.top());
    f.board.PICKNO = std::int16_t(n);
    f.AutoMove.setEnabled(true);
}

} // namespace tembira
