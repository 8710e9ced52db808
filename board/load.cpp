#include "board/moves.h"
#include "shell/form1.h"

namespace tembira {

void Form_Load(Form1& f) {
    f.board.initialise();
    f.NARABEKAE.setEnabled(true);
}

} // namespace tembira
