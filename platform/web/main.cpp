// tembira in a browser page: the same window, handlers and rules as the
// desktop program, shown through the page's elements.
#include <emscripten/emscripten.h>

#include "app/keys.h"
#include "app/wiring.h"
#include "app/words.h"
#include "form/form1.h"
#include "platform/web/binding.h"
#include "platform/web/dom.h"
#include "platform/web/web_clock.h"

namespace {

// What the page shows once END has stopped the game: reloading starts anew.
const char* const endText = "終了";

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
        clock.onEnd = [] { dom_end(endText); };
        binding.setKeyTarget([this](platform::Key key) { return tembira::keyTarget(form, key); });
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

// key: 0 Left, 1 Right, 2 Up, 3 Down, 4 Return, 5 Space, as platform::Key.
EMSCRIPTEN_KEEPALIVE int tembira_key(int key, int focused) {
    if (key < 0 || key > int(platform::Key::Space))
        return 0;
    return game->binding.key(platform::Key(key), focused);
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
