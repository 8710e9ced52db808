// The keyboard as the game takes it, in front of Qt's own handling: arrows
// click the tile the game names wherever the focus is (but in an option
// group, where they move the choice), Return clicks the opening's label or
// the focused button, Space the opening's label (Qt clicks a focused button
// on Space by itself). Also tells the focus ring whether the keyboard is in
// use.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <functional>
#include <vector>

#include "platform/key.h"
#include "platform/menu.h"

namespace platform {
class Control;
}

namespace platform::qt {

class FocusRing;

class InputRouter final : public QObject {
  public:
    InputRouter(QWidget* window, FocusRing* ring);

    // The control a key clicks, if any (the game's rule), and the click.
    std::function<platform::Control*(platform::Key)> keyTarget;
    std::function<void(platform::Control&)> click;
    // Keys that are commands rather than clicks (H, S): true when taken.
    std::function<bool(platform::Key)> commandKey;
    // Told of every key and pointer press by the player, before it acts.
    std::function<void()> playerInput;
    // The context menu's lines, asked for each time it opens.
    std::function<std::vector<platform::MenuItem>()> menu;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool key(QKeyEvent* event);
    void showMenu(const QPoint& at);
    QWidget* window_;
    FocusRing* ring_;
    bool keyboard_ = false; // the player's last input was a key
};

} // namespace platform::qt
