// The hint and the solution played out: a shortest solution of the board on
// show, searched off the event thread, told as the next tile to move and the
// moves left, or played move by move through the normal click path. Nothing
// here changes the game's own state: it only reads the board and clicks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "assist/job.h"
#include "platform/key.h"
#include "platform/menu.h"
#include "platform/timer.h"
#include "solver/solver.h"

namespace platform {
class Clock;
class Control;
} // namespace platform

namespace tembira {

struct Form1;

class Assistant {
  public:
    explicit Assistant(Form1& f);
    Assistant(const Assistant&) = delete;
    Assistant& operator=(const Assistant&) = delete;
    ~Assistant();

    // The binding's click path, and its way of marking a tile with a note
    // for a moment.
    std::function<void(platform::Control&)> click;
    std::function<void(const platform::Control& tile, const std::string& note)> mark;

    // A hint or a solution is on offer while the tiles take clicks and the
    // board is not solved.
    bool available() const;
    void hint();
    void solveOut();
    // The player clicked or pressed a key: a solution being played stops.
    void playerInput();
    bool playing() const { return playing_; }
    // The program's keys: H shows a hint, S plays a solution or stops the
    // one being played, the Menu key only stops it (its menu is the
    // binding's). Like any key, each stops a solution being played first.
    // False for other keys.
    bool commandKey(platform::Key key);
    // The context menu's two commands.
    std::vector<platform::MenuItem> menu();
    // Told when the player asks for a hint or a solution.
    std::function<void()> onHelp;
    // Waits for a search under way to end (the script runner's way to keep
    // a script independent of the machine's speed).
    void settle();

  private:
    // A hint or a solution asked for (wanted is its flag), when on offer.
    void askFor(bool& wanted);
    void tick();
    // The rest of a shortest solution from board, if the path kept from the
    // last search passes through it.
    std::optional<std::vector<int>> rest(const solver::Board& board) const;
    void search(const solver::Board& board);
    void collect();
    void idleIfDone();

    Form1& f_;
    // Polls the search and paces the moves; runs only while either is wanted.
    platform::Timer timer_{"Assistant", 50};
    bool wantHint_ = false;
    bool playing_ = false;

    // The last shortest solution found: the boards along it, first to last.
    std::vector<solver::Board> along_;
    std::vector<int> path_;

    // The search under way, for the board asked.
    Job<std::optional<std::vector<int>>> search_;
    solver::Board asked_{};
};

} // namespace tembira
