#include "assist/hint.h"

#include "board/moves.h"
#include "form/board_view.h"
#include "form/form1.h"

namespace tembira {

solver::Board solverBoard(const BoardView& view) {
    solver::Board board{};
    for (std::size_t i = 0; i < board.size(); ++i)
        board[i] = std::uint8_t(view.tileOn[i]);
    return board;
}

HintState hintState(const Form1& f) {
    const BoardView view = viewBoard(f);
    if (!view.started)
        return HintState::Locked;
    if (f.AutoMove.enabled() || slideRunning(f) || view.empty == 0)
        return HintState::Busy;
    return view.solved ? HintState::Solved : HintState::Ready;
}

} // namespace tembira
