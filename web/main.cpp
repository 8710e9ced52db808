// tembira in a browser page: the same window, handlers and rules as the
// desktop program, shown through the page's elements; the hint, the solution
// played out, undo, redo, new boards and the records as on the desktop, with
// every search sent to the solver worker.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "app/keys.h"
#include "app/wiring.h"
#include "app/words.h"
#include "assist/assistant.h"
#include "form/form1.h"
#include "play/session.h"
#include "web/binding.h"
#include "web/browser_records.h"
#include "web/dom.h"
#include "web/page_dom.h"
#include "web/web_clock.h"
#include "web/worker_jobs.h"

namespace {

// Clicks and ticks are connected before the page is built, so that it
// knows which labels take clicks.
struct WiredForm {
    platform::web::WebClock clock;
    tembira::Form1 form{clock};
    WiredForm() { tembira::wire(form); }
};

// The records window's cells: one row for each kind of board.
std::string recordRows(const tembira::Form1& f, const records::Records& all) {
    const auto orDash = [](const auto& value) {
        return value ? std::to_string(*value) : std::string(tembira::noRecordYet);
    };
    std::string rows;
    for (int kind = 1; kind <= records::kindCount; ++kind) {
        const records::Entry& e = all[records::Kind(kind - 1)];
        if (kind > 1)
            rows += '\n';
        rows += tembira::kindName(f, kind) + '\t' + std::to_string(e.solved) + '\t' +
                std::to_string(e.assisted) + '\t' + orDash(e.fewest) + '\t' + orDash(e.over) +
                '\t' + (e.fastest ? tembira::durationText(*e.fastest) : tembira::noRecordYet);
    }
    return rows;
}

struct Game : WiredForm {
    platform::web::WorkerJobs worker;
    platform::web::Binding binding{form};
    tembira::Assistant assistant{form};
    std::unique_ptr<tembira::Session> session;

    Game() {
        tembira::jobsElsewhere = &worker;
        binding.accepting = [this](const platform::Control&) { return !clock.ended(); };
        clock.timeFits = [this](const std::string& text) { return binding.fits(form.TIME1, text); };
        clock.onEnd = [] { dom_end(tembira::endedText); };
        binding.setKeyRule([this](platform::Key key, platform::Control* focused) {
            return tembira::keyAction(form, key, focused);
        });
        binding.setDescriber(
            [this](const platform::Control& c) { return tembira::accessibleText(form, c); });

        // As the desktop wires them.
        assistant.click = [this](platform::Control& c) { binding.click(c); };
        assistant.mark = [this](const platform::Control& tile, const std::string& note) {
            binding.mark(tile, note, 1500);
        };
        session = std::make_unique<tembira::Session>(
            form, assistant, std::make_unique<platform::web::BrowserRecords>("tembira.records"));
        session->click = [this](platform::Control& c) { binding.click(c); };
        session->note = [this](const std::string& note) { binding.noteBeside(note, 10000); };
        session->showRecords = [this] { showRecords(); };
        binding.setCommands([this](platform::Key key) { return session->commandKey(key); },
                            [this] { session->playerInput(); }, [this] { return session->menu(); });
    }

    void showRecords() {
        std::string headings;
        for (const char* heading : tembira::recordsHeadings)
            headings += (headings.empty() ? "" : "\t") + std::string(heading);
        page_records(tembira::recordsTitle, headings.c_str(),
                     recordRows(form, session->records()).c_str(), tembira::clearRecordsCommand,
                     tembira::clearRecordsQuestion, tembira::yesCommand, tembira::noCommand,
                     tembira::closeCommand);
    }
};

// Lives as long as the page: the page's events call in after main returns.
Game* game = nullptr;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tembira_pointer_down(double x, double y) {
    game->binding.pointerDown(x, y);
}

EMSCRIPTEN_KEEPALIVE void tembira_pointer_up(double x, double y) {
    game->binding.pointerUp(x, y);
}

EMSCRIPTEN_KEEPALIVE void tembira_pointer_cancel() {
    game->binding.pointerCancel();
}

// key: a key's name, as platform::keyNamed reads it (any other name: a key
// the game does not take).
EMSCRIPTEN_KEEPALIVE int tembira_key(const char* name, int focused) {
    return game->binding.key(platform::keyNamed(name), focused);
}

EMSCRIPTEN_KEEPALIVE void tembira_press(int id) {
    game->binding.press(id);
}

// The context menu, asked for at a client pixel.
EMSCRIPTEN_KEEPALIVE void tembira_menu(double x, double y, int focused) {
    game->binding.openMenu(std::pair{x, y}, focused);
}

EMSCRIPTEN_KEEPALIVE void tembira_menu_choose(int index) {
    game->binding.chooseMenu(index);
}

// The records window's clear, confirmed.
EMSCRIPTEN_KEEPALIVE void tembira_records_clear() {
    game->session->clearRecords();
    game->showRecords();
}

EMSCRIPTEN_KEEPALIVE void tembira_worker_answer(int ticket, const std::int32_t* numbers,
                                                int count) {
    game->worker.answered(ticket, tembira::JobNumbers(numbers, numbers + count));
}
}

int main() {
    game = new Game;
    game->form.load();
    page_worker_start();
    return 0;
}
