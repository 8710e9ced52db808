#include "app/keys.h"

#include "form/board_view.h"
#include "form/form1.h"

namespace tembira {

using platform::Key;

int tileForArrow(const BoardView& view, Key key) {
    const int e = view.empty;
    if (e == 0)
        return 0;
    const int column = (e - 1) % 4;
    const int row = (e - 1) / 4;
    switch (key) {
    case Key::Right:
        return column > 0 ? view.tileAt(e - 1) : 0;
    case Key::Left:
        return column < 3 ? view.tileAt(e + 1) : 0;
    case Key::Down:
        return row > 0 ? view.tileAt(e - 4) : 0;
    case Key::Up:
        return row < 3 ? view.tileAt(e + 4) : 0;
    case Key::Return:
    case Key::Space:
    case Key::H:
    case Key::S:
        break;
    }
    return 0;
}

platform::Control* keyTarget(Form1& f, Key key) {
    if (key == Key::Return || key == Key::Space)
        return f.HAJIME.visible() ? &f.HAJIME : nullptr;
    const int n = tileForArrow(viewBoard(f), key);
    return n ? &f.PANEL[n] : nullptr;
}

} // namespace tembira
