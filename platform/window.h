// The top-level window: a container whose outer Height includes a fixed
// allowance for title bar and frame, and which routes pointer clicks to the
// front-most control under the pointer.
#pragma once

#include "platform/control.h"

namespace platform {

class Window : public Control {
  public:
    // Title bar and frame around the client area, in twips.
    static constexpr int frameHeight = 450;
    static constexpr int frameWidth = 120;

    Window(std::string name, int clientWidth, int clientHeight);

    // Width and Height are outer sizes, frame included.
    int innerWidth() const override { return clientWidth_; }
    int innerHeight() const override { return height() - frameHeight; }

    // The front-most visible control at client point (x, y) in twips, or
    // nullptr outside the client area. A picture box is found itself where
    // the point falls on its border or on none of its children.
    Control* controlAt(double x, double y);

    // A pointer click at client point (x, y): the control found there
    // receives it if it is enabled.
    void clickAt(double x, double y);

    // A click delivered to one control: option buttons are selected (and the
    // others of their group deselected) before the Click handler runs.
    static void click(Control& control);

    // The rectangle of a control in client coordinates.
    static void clientOrigin(const Control& control, double& x, double& y);

  private:
    int clientWidth_;
};

} // namespace platform
