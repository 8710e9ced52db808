#include "judge/judge.h"
#include "form/board_view.h"
#include "form/form1.h"
#include "shell/shell.h"

namespace tembira {

void HANTEI_Click(Form1& f) {
    // Only a started game is judged.
    const BoardView view = viewBoard(f);
    if (!view.started)
        return;
    if (view.solved)
        f.board.SOLVED = 1;
    if (f.board.SOLVED == 1) {
        // A pending "not yet" timeout must not clear this message later.
        f.MADA.setEnabled(false);
        f.setHeight(messageHeight);
        f.MESSEGE.setCaption(completeMessage);
        f.GOHOUBITIME.setEnabled(true);
        f.board.PICKNO = 0;
        f.board.SOLVED = 0;
    } else {
        f.setHeight(messageHeight);
        f.MESSEGE.setCaption(notYetMessage);
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
