// What the player has beyond the window's own controls, all asked for by a
// key or the context menu: the hint and the solution played out (the
// assistant's), undo and redo, new boards of a chosen level, the game's
// clock and score, and the records. Slow work (solving, making boards) runs
// off the event thread; the window never waits for it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "assist/assistant.h"
#include "assist/job.h"
#include "platform/key.h"
#include "platform/menu.h"
#include "platform/timer.h"
#include "play/levels.h"
#include "play/record_store.h"
#include "records/records.h"

namespace tembira {

struct Form1;

class Session {
  public:
    // recordsPath: the records file, or empty to keep records in memory only.
    Session(Form1& f, Assistant& assistant, const std::string& recordsPath);
    // store: where the records are kept.
    Session(Form1& f, Assistant& assistant, std::unique_ptr<RecordStore> store);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    // The binding's click path; a note beside the board (how a game went,
    // or why the records will not last); the records window, where there is
    // one.
    std::function<void(platform::Control&)> click;
    std::function<void(const std::string& note)> note;
    std::function<void()> showRecords;

    // The program's keys (H, S, the Menu key, undo, redo): true when taken.
    // Like any key, each stops a solution being played first.
    bool commandKey(platform::Key key);
    void playerInput();
    // The context menu's lines, asked for each time it opens.
    std::vector<platform::MenuItem> menu();

    // Undo and redo are on offer while the tiles take clicks and no tile
    // moves, and there is a move to undo or redo.
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // Asks for a new board of the level (1 ... 3); laid out once made,
    // unless another board is asked for or a picture chosen first.
    void newBoard(int level);

    const records::Records& records() const;
    void clearRecords();
    // The next new boards are drawn from this seed.
    void seed(std::uint64_t seed) { random_.seed(seed); }
    // Waits for the work under way off the event thread, and takes its
    // results: what the script runner does before time moves on, so that a
    // script never depends on the machine's speed.
    void settle();
    // Waits only for what a game that ended needs to be recorded.
    void settleRecord();

  private:
    void tick();
    void recordIfReady();
    void ended();
    void record();
    void layOut(const NewBoard& made);
    void say(const std::string& text);

    Form1& f_;
    Assistant& assistant_;
    platform::Timer timer_{"Session", 50};

    std::unique_ptr<RecordStore> file_; // none: in memory only
    records::Records memory_;

    // The shortest solution of the board laid out, 0 while not known: a new
    // board comes with it, a picture's board is solved once a game on it
    // first ends.
    int shortest(int kind) const;
    std::array<int, 3> pictureShortest_{};
    int newBoardShortest_ = 0;
    Job<int> solving_;
    int solvingPicture_ = 0;
    // A game ended, waiting for its board's shortest solution.
    std::optional<records::Result> due_;

    // The board being made, for the request made when layoutsAsked was this.
    std::mt19937_64 random_{std::random_device{}()};
    Job<std::optional<NewBoard>> making_;
    std::uint64_t makingFor_ = 0;
    int makingLevel_ = 0;
};

} // namespace tembira
