#include "app/keys.h"

#include <algorithm>
#include <vector>

#include "form/board_view.h"
#include "form/form1.h"

namespace tembira {

using platform::Control;
using platform::Key;
using platform::KeyAction;
using platform::Kind;

namespace {

// The option button beside focused in its group, in tab order, step -1 or +1;
// nullptr past either end.
Control* neighbourOption(const Control& focused, int step) {
    std::vector<Control*> group;
    for (Control* c : focused.parent()->children())
        if (c->kind() == Kind::OptionButton && c->visible() && c->enabled())
            group.push_back(c);
    std::sort(group.begin(), group.end(),
              [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    const auto at = std::find(group.begin(), group.end(), &focused);
    if (at == group.end())
        return nullptr;
    const auto index = (at - group.begin()) + step;
    return index >= 0 && index < std::ssize(group) ? group[std::size_t(index)] : nullptr;
}

KeyAction click(Control& c) {
    return {KeyAction::Kind::Click, &c};
}

} // namespace

int tileForArrow(const BoardView& view, Key key) {
    const int e = view.empty;
    if (e == 0 || !platform::isArrow(key))
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
    default:
        return 0;
    }
}

KeyAction keyAction(Form1& f, Key key, Control* focused) {
    if (key == Key::H || key == Key::S || key == Key::Menu || key == Key::Undo || key == Key::Redo)
        return {KeyAction::Kind::Command, nullptr};
    const bool arrow = platform::isArrow(key);
    if (!arrow && f.HAJIME.visible())
        return click(f.HAJIME);
    if (focused && focused->kind() == Kind::OptionButton) {
        if (key == Key::Space)
            return click(*focused);
        if (arrow) {
            const int step = key == Key::Left || key == Key::Up ? -1 : 1;
            if (Control* next = neighbourOption(*focused, step))
                return {KeyAction::Kind::Choose, next};
            return {KeyAction::Kind::Take, nullptr};
        }
    }
    if (arrow) {
        // Arrows belong to the board, not to the focus chain or the page.
        if (const int n = tileForArrow(viewBoard(f), key))
            return click(f.PANEL[n]);
        return {KeyAction::Kind::Take, nullptr};
    }
    if (focused && focused->kind() == Kind::CommandButton)
        return click(*focused);
    return {KeyAction::Kind::Pass, nullptr};
}

} // namespace tembira
