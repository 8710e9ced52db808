// The browser's counterpart of the Qt binding: one page element for every
// control, kept in step with the model; pointer input found by the window's
// own hit test, keys by the game's key rule, presses from screen readers
// through the same click path.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessible.h"
#include "platform/control.h"
#include "platform/key.h"
#include "platform/menu.h"
#include "platform/pixels.h"
#include "platform/window.h"

namespace platform::web {

class Binding final : public platform::Observer {
  public:
    explicit Binding(platform::Window& window);
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;
    ~Binding();

    // Asked before a click reaches a control; while it answers false,
    // clicks no longer reach the game (it has ended).
    std::function<bool(const platform::Control&)> accepting;
    // The game's rule for keys, given the focused control.
    void setKeyRule(std::function<platform::KeyAction(platform::Key, platform::Control*)> rule);
    void setDescriber(std::function<platform::AccessibleText(const platform::Control&)> describe);
    // Keys that the rule names commands (H, S, undo, redo) go to `command`;
    // every other key, click and the context menu go to `input` first; the
    // context menu's lines come from `menu`.
    void setCommands(std::function<bool(platform::Key)> command, std::function<void()> input,
                     std::function<std::vector<platform::MenuItem>()> menu);
    // An outline on a control, with a note beside it, for a while.
    void mark(const platform::Control& control, const std::string& note, int ms);
    // A note beside the window, for a while.
    void noteBeside(const std::string& note, int ms);
    // The context menu at a client pixel (the Menu key's: none, at the focus).
    void openMenu(std::optional<std::pair<double, double>> at, int focused);
    void chooseMenu(int index);
    // The binding's click path, for the game's commands.
    void click(platform::Control& control);

    // Whether a text box would show text whole.
    bool fits(const platform::Control& textBox, const std::string& text) const;

    // Input from the page. Positions are in pixels of the client area.
    void pointerDown(double x, double y);
    void pointerUp(double x, double y);
    void pointerCancel() { pressed_ = nullptr; }
    // A key (none: one the game does not name), with the element that has
    // the focus (-1: none); true when the game took it and the browser
    // should not act on it too.
    bool key(std::optional<platform::Key> key, int focused);
    // A press that is not a pointer's: a screen reader's action.
    void press(int id);

    void changed(platform::Control& control, platform::Property property) override;

  private:
    void create(platform::Control& control, int parent);
    // A control's place in the window's client pixels.
    platform::PixelRect inWindow(const platform::Control& control) const;
    void applyGeometry(const platform::Control& control);
    void applyColours(const platform::Control& control);
    void applyAccessibleText(const platform::Control& control);
    void syncOptionButtons();
    void stack(const platform::Control& container);
    int id(const platform::Control& control) const;
    platform::Control* control(int id) const;
    // The control the window's hit test finds at a client pixel.
    platform::Control* under(double x, double y) const;

    platform::Window& model_;
    std::vector<platform::Control*> controls_; // by element id
    platform::Control* pressed_ = nullptr;
    std::function<platform::KeyAction(platform::Key, platform::Control*)> keyRule_;
    std::function<platform::AccessibleText(const platform::Control&)> describe_;
    std::function<bool(platform::Key)> command_;
    std::function<void()> input_;
    std::function<std::vector<platform::MenuItem>()> menu_;
    std::vector<platform::MenuItem> shownMenu_;
};

} // namespace platform::web
