#include "assist/assistant.h"

#include <algorithm>

#include "app/words.h"
#include "assist/hint.h"
#include "assist/solve_request.h"
#include "form/board_view.h"
#include "form/form1.h"
#include "platform/window.h"

namespace tembira {

Assistant::Assistant(Form1& f) : f_(f) {
    timer_.onTick = [this] { tick(); };
    timer_.attach(f.clock);
}

Assistant::~Assistant() = default;

bool Assistant::available() const {
    const HintState state = hintState(f_);
    return state == HintState::Ready || state == HintState::Busy;
}

void Assistant::hint() {
    askFor(wantHint_);
}

void Assistant::solveOut() {
    askFor(playing_);
}

void Assistant::askFor(bool& wanted) {
    if (!available())
        return;
    wanted = true;
    if (onHelp)
        onHelp();
    timer_.setEnabled(true);
    tick();
}

void Assistant::settle() {
    search_.wait();
}

void Assistant::playerInput() {
    playing_ = false;
    idleIfDone();
}

bool Assistant::commandKey(platform::Key key) {
    using platform::Key;
    if (key != Key::H && key != Key::S && key != Key::Menu)
        return false;
    const bool wasPlaying = playing_;
    playerInput();
    if (key == Key::H)
        hint();
    else if (key == Key::S && !wasPlaying)
        solveOut();
    return true;
}

std::vector<platform::MenuItem> Assistant::menu() {
    const bool on = available();
    return {{hintCommand, on, [this] { hint(); }}, {solveCommand, on, [this] { solveOut(); }}};
}

std::optional<std::vector<int>> Assistant::rest(const solver::Board& board) const {
    const auto at = std::find(along_.begin(), along_.end(), board);
    if (at == along_.end())
        return std::nullopt;
    return std::vector<int>(path_.begin() + (at - along_.begin()), path_.end());
}

void Assistant::search(const solver::Board& board) {
    asked_ = board;
    // Starting a search stops the one before it, if one still runs.
    search_.start([board](solver::StopToken stop) { return solver::solve(board, stop); },
                  solveRequest(board), solveAnswerRead);
}

// Takes a finished search's answer. A search stopped early gives none; a path
// found for an earlier board is kept, since play may pass back onto it.
void Assistant::collect() {
    if (!search_.ready())
        return;
    const std::optional<std::vector<int>> found = search_.take();
    if (!found)
        return;
    path_ = *found;
    along_ = {asked_};
    for (int tile : path_)
        along_.push_back(solver::afterClick(along_.back(), tile).value_or(solver::Board{}));
}

void Assistant::tick() {
    collect();
    if (!available()) {
        wantHint_ = playing_ = false;
        idleIfDone();
        return;
    }
    if (hintState(f_) == HintState::Busy)
        return; // a move is under way: answer for the board it leaves
    const solver::Board board = solverBoard(viewBoard(f_));
    const auto moves = rest(board);
    if (!moves) {
        if (!search_.pending() || asked_ != board)
            search(board);
        return;
    }
    if (wantHint_ && !moves->empty() && mark) {
        mark(f_.PANEL[moves->front()], movesLeftText(int(moves->size())));
        wantHint_ = false;
    }
    if (playing_ && !moves->empty() && click)
        click(f_.PANEL[moves->front()]);
    idleIfDone();
}

void Assistant::idleIfDone() {
    if (!wantHint_ && !playing_ && !search_.pending())
        timer_.setEnabled(false);
}

} // namespace tembira
