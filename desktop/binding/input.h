// The keyboard as the game takes it, in front of Qt's own handling: each
// key and the focused control go to the game's key rule, and its answer is
// carried out here; what the rule passes on, Qt handles (Tab, for one).
// Also tells the focus ring whether the keyboard is in use.
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

    // The game's key rule, given the control with the focus (or nullptr);
    // the click path; the control a widget shows, and focusing one.
    std::function<platform::KeyAction(platform::Key, platform::Control*)> keyRule;
    std::function<void(platform::Control&)> click;
    std::function<platform::Control*(QWidget*)> controlOf;
    std::function<void(platform::Control&)> focus;
    // The program's commands (H, S, the Menu key): true when taken.
    std::function<bool(platform::Key)> commandKey;
    // Told of every other key and every pointer press by the player, before
    // it acts.
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
