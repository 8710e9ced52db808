// The keys the game takes, as every binding names them to the core, and
// what the game's key rule makes of one.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

class Control;

// Undo is Ctrl+Z; Redo is Ctrl+Y or Ctrl+Shift+Z.
enum class Key { Left, Right, Up, Down, Return, Space, H, S, Menu, Undo, Redo };

// A key by its name ("Left", "Right", "Up", "Down", "Return", "Space", "H",
// "S", "Menu", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"): how scripts and the page
// name keys.
std::optional<Key> keyNamed(std::string_view name);

inline bool isArrow(Key key) {
    return key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
}

// What a binding does with a key.
struct KeyAction {
    enum class Kind {
        Pass,    // not the game's: the toolkit's own handling goes on
        Take,    // the game's, and nothing happens
        Click,   // click control, as a pointer would
        Choose,  // move the focus to control (an option button) and click it
        Command, // a command of the program's (H, S, the Menu key)
    };
    Kind kind = Kind::Pass;
    Control* control = nullptr;
};

} // namespace platform
