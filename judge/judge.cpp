#include "judge/judge.h"
#include "shell/form1.h"
#include "shell/shell.h"

namespace tembira {

namespace {

bool allTilesHome(const Form1& f) {
    for (int n = 1; n <= 15; ++n) {
        if (f.ADDRESS[n].left() != f.PANEL[n].left())
            return false;
        if (f.ADDRESS[n].top() != f.PANEL[n].top())
            return false;
    }
    return true;
}

} // namespace

void HANTEI_Click(Form1& f) {
    // Only a started game is judged.
    if (!f.PANEL[1].enabled())
        return;
    if (allTilesHome(f))
        f.board.SOLVED = 1;
    if (f.board.SOLVED == 1) {
        // A pending "not yet" timeout must not clear this message later.
        f.MADA.setEnabled(false);
        f.setHeight(messageHeight);
        f.MESSEGE.setCaption("完成");
        f.GOHOUBITIME.setEnabled(true);
        f.board.PICKNO = 0;
        f.board.SOLVED = 0;
    } else {
        f.setHeight(messageHeight);
        f.MESSEGE.setCaption("まだです");
        f.MADA.setEnabled(true);
    }
    // The options panel would cover the message.
    showPanel(f, false);
}

void MADA_Timer(Form1& f) {
    f.setHeight(playHeight);
    f.MESSEGE.setCaption("");
    f.MADA.setEnabled(false);
}

} // namespace tembira
