#include "app/wiring.h"

#include "app/game_events.h"

#include "board/moves.h"
#include "form/form1.h"
#include "judge/judge.h"
#include "setup/setup.h"
#include "shell/shell.h"

namespace tembira {

void wire(Form1& f) {
    f.onLoad = [&f] { Form_Load(f); };

    for (int n = 1; n <= 15; ++n)
        f.PANEL[n].onClick = [&f, n] { PANEL_Click(f, n); };
    for (int p = 1; p <= 3; ++p)
        f.TAITOLn[p].onClick = [&f, p] {
            TAITOL_Click(f, p);
            ++f.game.layoutsAsked;
        };
    for (int s = 1; s <= 3; ++s)
        f.SPEEDn[s].onClick = [&f, s] { SPEED_Click(f, speedSteps[s - 1]); };
    f.HAJIME.onClick = [&f] { HAJIME_Click(f); };
    f.START.onClick = [&f] {
        START_Click(f);
        afterStart(f);
    };
    f.HANTEI.onClick = [&f] {
        HANTEI_Click(f);
        afterJudgement(f);
    };
    f.OPTION1.onClick = [&f] { OPTION1_Click(f); };
    f.SIMERU.onClick = [&f] { SIMERU_Click(f); };
    f.END1.onClick = [&f] { END1_Click(f); };

    f.AutoMove.onTick = [&f] {
        const int empty = f.board.emptyCell();
        AutoMove_Timer(f);
        afterDispatch(f, empty);
    };
    f.PUM.onTick = [&f] { PUM_Timer(f); };
    f.PDM.onTick = [&f] { PDM_Timer(f); };
    f.PLM.onTick = [&f] { PLM_Timer(f); };
    f.PRM.onTick = [&f] { PRM_Timer(f); };
    f.NARABEKAE.onTick = [&f] {
        NARABEKAE_Timer(f);
        f.forSelectedPicture([&f](int p) { afterLayout(f, p); });
    };
    f.MADA.onTick = [&f] { MADA_Timer(f); };
    f.GOHOUBITIME.onTick = [&f] { GOHOUBITIME_Timer(f); };
    f.MOJI.onTick = [&f] { MOJI_Timer(f); };
    f.Clear.onTick = [&f] { Clear_Timer(f); };
    f.OPENINGEND.onTick = [&f] { OPENINGEND_Timer(f); };
    f.JIKOKU.onTick = [&f] { JIKOKU_Timer(f); };
    f.FIN.onTick = [&f] { FIN_Timer(f); };
}

} // namespace tembira
