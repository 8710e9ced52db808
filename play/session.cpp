#include "play/session.h"

#include <utility>

#include "app/game_events.h"
#include "app/words.h"
#include "assist/hint.h"
#include "assist/solve_request.h"
#include "form/board_view.h"
#include "form/form1.h"
#include "records/record_file.h"
#include "setup/setup.h"

namespace tembira {

namespace {

using platform::Key;

// The board picture p starts from.
solver::Board pictureBoard(int p) {
    solver::Board b{};
    for (int n = 1; n <= 15; ++n)
        b[std::size_t(startingCell(p, n) - 1)] = std::uint8_t(n);
    return b;
}

// The tiles take clicks (not covered by the reward) and none moves.
bool settled(const Form1& f) {
    const HintState state = hintState(f);
    return (state == HintState::Ready || state == HintState::Solved) && !f.GOHOUBI.visible();
}

class FileStore final : public RecordStore {
  public:
    explicit FileStore(const std::string& path) : file_(path) {}
    const records::Records& records() const override { return file_.records(); }
    bool add(const records::Result& result) override { return file_.add(result); }
    void clear() override { file_.clear(); }
    std::string takeNotice() override { return file_.takeNotice(); }

  private:
    records::RecordFile file_;
};

std::unique_ptr<RecordStore> fileStore(const std::string& path) {
    if (path.empty())
        return nullptr;
    return std::make_unique<FileStore>(path);
}

} // namespace

Session::Session(Form1& f, Assistant& assistant, const std::string& recordsPath)
    : Session(f, assistant, fileStore(recordsPath)) {}

Session::Session(Form1& f, Assistant& assistant, std::unique_ptr<RecordStore> store)
    : f_(f), assistant_(assistant), file_(std::move(store)) {
    timer_.onTick = [this] { tick(); };
    timer_.attach(f.clock);
    f.game.onEnded = [this] { ended(); };
    assistant_.onHelp = [this] {
        if (f_.game.begun && !f_.game.ended)
            f_.game.helped = true;
    };
    // A records file found damaged is said at the first tick.
    timer_.setEnabled(file_ != nullptr);
}

Session::~Session() {
    f_.game.onEnded = nullptr;
    assistant_.onHelp = nullptr;
}

bool Session::commandKey(Key key) {
    if (key == Key::Undo || key == Key::Redo) {
        assistant_.playerInput();
        key == Key::Undo ? undo() : redo();
        return true;
    }
    return assistant_.commandKey(key);
}

void Session::playerInput() {
    assistant_.playerInput();
}

std::vector<platform::MenuItem> Session::menu() {
    std::vector<platform::MenuItem> items{
        {gameLineText(f_.game.moves(), f_.game.elapsed(f_.clock.now())), false, {}}};
    for (platform::MenuItem& item : assistant_.menu())
        items.push_back(std::move(item));
    items.push_back({undoCommand, canUndo(), [this] { undo(); }});
    items.push_back({redoCommand, canRedo(), [this] { redo(); }});
    for (int level = 1; level <= 3; ++level)
        items.push_back({newBoardCommand(level), true, [this, level] { newBoard(level); }});
    if (showRecords)
        items.push_back({recordsCommand, true, [this] { showRecords(); }});
    return items;
}

bool Session::canUndo() const {
    return settled(f_) && !f_.game.done.empty();
}

bool Session::canRedo() const {
    return settled(f_) && !f_.game.undone.empty();
}

void Session::undo() {
    if (!canUndo() || !click)
        return;
    const int tile = f_.game.done.back();
    f_.game.replaying = -tile;
    click(f_.PANEL[tile]);
}

void Session::redo() {
    if (!canRedo() || !click)
        return;
    const int tile = f_.game.undone.back();
    f_.game.replaying = tile;
    click(f_.PANEL[tile]);
}

void Session::newBoard(int level) {
    makingFor_ = ++f_.game.layoutsAsked;
    makingLevel_ = level;
    // Seeded here, on the event thread, so that boards follow the seed in
    // the order asked. Starting a board stops the one before it.
    const std::uint64_t seed = random_();
    making_.start(
        [level, seed](solver::StopToken stop) {
            std::mt19937_64 random(seed);
            return makeBoard(level, random, stop);
        },
        makeRequest(level, seed), makeAnswerRead);
    timer_.setEnabled(true);
}

void Session::settle() {
    making_.wait();
    solving_.wait();
    assistant_.settle();
    tick();
}

void Session::settleRecord() {
    recordIfReady(); // may start the search for the board's shortest solution
    solving_.wait();
    recordIfReady();
}

void Session::tick() {
    if (making_.ready()) {
        const std::optional<NewBoard> made = making_.take();
        // A picture chosen or another board asked for since wins.
        if (made && makingFor_ == f_.game.layoutsAsked)
            layOut(*made);
    }
    recordIfReady();
    if (file_)
        if (const std::string notice = file_->takeNotice(); !notice.empty())
            say(notice);
    // Ticks only while something is awaited.
    if (!solving_.pending() && !making_.pending() && !due_)
        timer_.setEnabled(false);
}

void Session::recordIfReady() {
    if (solving_.ready())
        pictureShortest_[std::size_t(solvingPicture_ - 1)] = solving_.take();
    if (due_) {
        const int kind = int(due_->kind) + 1;
        if (shortest(kind) != 0)
            record();
        else if (!solving_.pending() && kind <= 3) {
            solvingPicture_ = kind;
            const solver::Board board = pictureBoard(kind);
            solving_.start(
                [board](solver::StopToken stop) {
                    return int(solver::solve(board, stop).value_or(std::vector<int>{}).size());
                },
                solveRequest(board),
                [](const JobNumbers& answer) {
                    return int(solveAnswerRead(answer).value_or(std::vector<int>{}).size());
                });
        }
    }
}

void Session::layOut(const NewBoard& made) {
    std::array<int, 15> cells{};
    for (int k = 1; k <= 16; ++k)
        if (const int n = made.board[std::size_t(k - 1)])
            cells[std::size_t(n - 1)] = k;
    arrangeTiles(f_, cells);
    // As after a picture choice: the empty marker goes back to cell 16.
    f_.Clear.setEnabled(true);
    afterLayout(f_, 3 + makingLevel_);
    newBoardShortest_ = made.shortest;
}

void Session::ended() {
    // A game with no move (START on a solved board) is not a game.
    if (f_.game.moves() == 0)
        return;
    const GameState& g = f_.game;
    due_ = records::Result{records::Kind(g.kind - 1), g.moves(), 0, g.elapsed(f_.clock.now()),
                           g.helped};
    timer_.setEnabled(true);
    tick();
}

void Session::record() {
    records::Result result = *std::exchange(due_, std::nullopt);
    result.shortest = shortest(int(result.kind) + 1);
    const bool best = file_ ? file_->add(result) : memory_.add(result);
    std::string text = completionNote(result.moves, result.shortest, result.ms, best);
    // Why the records will not last, if the write could not be made.
    if (file_)
        if (const std::string notice = file_->takeNotice(); !notice.empty())
            text += "\n" + notice;
    say(text);
}

int Session::shortest(int kind) const {
    return kind <= 3 ? pictureShortest_[std::size_t(kind - 1)] : newBoardShortest_;
}

void Session::say(const std::string& text) {
    if (note)
        note(text);
}

const records::Records& Session::records() const {
    return file_ ? file_->records() : memory_;
}

void Session::clearRecords() {
    if (file_)
        file_->clear();
    else
        memory_ = {};
}

} // namespace tembira
