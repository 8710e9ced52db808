// tembira in a browser page: the same window, handlers and rules as the
// desktop program, shown through the page's elements.
#include <emscripten/emscripten.h>

#include "app/keys.h"
#include "app/wiring.h"
#include "app/words.h"
#include "form/form1.h"
#include "web/binding.h"
#include "web/dom.h"
#include "web/web_clock.h"

namespace {

// Clicks and ticks are connected before the page is built, so that it
// knows which labels take clicks.
struct WiredForm {
    platform::web::WebClock clock;
    tembira::Form1 form{clock};
    WiredForm() { tembira::wire(form); }
};

struct Game : WiredForm {
    platform::web::Binding binding{form};

    Game() {
        binding.accepting = [this](const platform::Control&) { return !clock.ended(); };
        clock.timeFits = [this](const std::string& text) { return binding.fits(form.TIME1, text); };
        clock.onEnd = [] { dom_end(tembira::endedText); };
        binding.setKeyRule([this](platform::Key key, platform::Control* focused) {
            return tembira::keyAction(form, key, focused);
        });
        binding.setDescriber(
            [this](const platform::Control& c) { return tembira::accessibleText(form, c); });
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

// key: a key's name, as platform::keyNamed reads it.
EMSCRIPTEN_KEEPALIVE int tembira_key(const char* name, int focused) {
    const auto key = platform::keyNamed(name);
    return key && game->binding.key(*key, focused);
}

EMSCRIPTEN_KEEPALIVE void tembira_press(int id) {
    game->binding.press(id);
}
}

int main() {
    game = new Game;
    game->form.load();
    return 0;
}
