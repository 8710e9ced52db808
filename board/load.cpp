#include "board/moves.h"
#include "form/form1.h"

namespace tembira {

void Form_Load(Form1& f) {
    f.board.initialise();
    f.NARABEKAE.setEnabled(true);
}

} // namespace tembira
