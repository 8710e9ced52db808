#include "board/moves.h"
#include "form/form1.h"

namespace tembira {

// A dispatched tile slides in the normal caption colour.
void MOJI_Timer(Form1& f) {
    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].setForeColor(platform::buttonText);
    f.MOJI.setEnabled(false);
}

void Clear_Timer(Form1& f) {
    f.board.resetEmptyMarker();
    f.Clear.setEnabled(false);
}

} // namespace tembira
