// The browser's counterpart of the Qt binding: one page element for every
// control, kept in step with the model; pointer input found by the window's
// own hit test, keys by the game's key rule, presses from screen readers
// through the same click path.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/accessible.h"
#include "platform/control.h"
#include "platform/key.h"
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

    // Whether a text box would show text whole.
    bool fits(const platform::Control& textBox, const std::string& text) const;

    // Input from the page. Positions are in pixels of the client area.
    void pointerDown(double x, double y);
    void pointerUp(double x, double y);
    void pointerCancel() { pressed_ = nullptr; }
    // A key, with the element that has the focus (-1: none); true when the
    // game took it and the browser should not act on it too.
    bool key(platform::Key key, int focused);
    // A press that is not a pointer's: a screen reader's action.
    void press(int id);

    void changed(platform::Control& control, platform::Property property) override;

  private:
    void create(platform::Control& control, int parent);
    void click(platform::Control& control);
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
};

} // namespace platform::web
